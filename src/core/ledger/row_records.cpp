#include "ledger/row_records.h"

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

constexpr int kDateColumn = 1;
constexpr int kFundTitleColumn = 2;
constexpr int kFundAmountColumn = 4;
constexpr int kFundMemoColumn = 5;

template <class Record>
void setDateFromText(Record& record, std::string_view text) {
    const std::int32_t key = dateKey(text);
    record.year = static_cast<std::uint16_t>(key / 10000);
    record.month = static_cast<std::uint8_t>(key / 100 % 100);
    record.day = static_cast<std::uint8_t>(key % 100);
}

}  // namespace

void fundFromRow(const LedgerRow& row, FundRecord& fund) {
    if (row.ref)
        fund.kindState = row.ref->kindState;
    setDateFromText(fund, row.text(kDateColumn));
    fund.amount =
        static_cast<std::int32_t>(toMilli(parseMoney(row.text(kFundAmountColumn)).value_or(0.0)));
    copyToField(fund.title, sizeof fund.title, row.text(kFundTitleColumn));
    copyToField(fund.memo, sizeof fund.memo, row.text(kFundMemoColumn));
}

std::optional<int> rowOf(const std::vector<LedgerRow>& rows, const ItemRef& ref) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& other = rows[i].ref;
        if (other && other->owner == ref.owner && other->slotIndex == ref.slotIndex)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace tallivan
