#include "report/holdings_breakdown.h"

#include <algorithm>
#include <map>

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

std::vector<ValueSlice> holdingsByValue(const std::vector<LedgerRow>& holdings,
                                        std::size_t largest) {
    std::map<std::string, ValueSlice> byCode;
    for (const LedgerRow& row : holdings) {
        if (row.isSummary())
            continue;
        ValueSlice& slice = byCode[std::string(row.text(stock_column::kCode))];
        slice.code = row.text(stock_column::kCode);
        slice.name = row.text(stock_column::kName);
        slice.value += parseMoney(row.text(held_column::kValue)).value_or(0.0);
    }
    std::vector<ValueSlice> slices;
    for (auto& [code, slice] : byCode) {
        if (slice.value > 0)
            slices.push_back(std::move(slice));
    }
    std::stable_sort(slices.begin(), slices.end(),
                     [](const ValueSlice& a, const ValueSlice& b) { return a.value > b.value; });
    if (slices.size() > largest) {
        ValueSlice others{std::string(), gbk("其他"), 0};
        for (std::size_t i = largest; i < slices.size(); ++i)
            others.value += slices[i].value;
        slices.resize(largest);
        slices.push_back(others);
    }
    return slices;
}

}  // namespace tallivan
