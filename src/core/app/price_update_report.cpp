#include "app/price_update_report.h"

#include <algorithm>
#include <cstdio>

#include "base/gbk.h"

namespace tallivan {
namespace {

// A message lists this many codes of a kind, then says how many more there are.
constexpr std::size_t kListedCodes = 10;

void appendCodes(std::string& out, const std::vector<std::string>& items) {
    for (std::size_t i = 0; i < items.size() && i < kListedCodes; ++i)
        out += (i == 0 ? "" : gbk(", ")) + items[i];
    if (items.size() > kListedCodes)
        out += gbk(" 等 ") + std::to_string(items.size()) + gbk(" 只");
}

}  // namespace

std::string priceMissText(PriceMiss miss) {
    switch (miss) {
        case PriceMiss::None:
            return {};
        case PriceMiss::NoFile:
            return gbk("没有日线文件");
        case PriceMiss::NoRecord:
            return gbk("没有完整的记录");
        case PriceMiss::NotListed:
            return gbk("不在列表中");
        case PriceMiss::NotKnown:
            return gbk("行情服务不认识此代码");
    }
    return {};
}

std::string priceDateText(std::int32_t date) {
    if (date <= 0)
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", date / 10000, date / 100 % 100, date % 100);
    return buf;
}

std::string priceUpdateSummary(const std::vector<PriceUpdateLine>& lines) {
    std::int32_t newest = 0;
    std::size_t priced = 0;
    for (const PriceUpdateLine& line : lines) {
        if (line.miss == PriceMiss::None) {
            ++priced;
            newest = std::max(newest, line.date);
        }
    }
    std::string out = gbk("已更新 ") + std::to_string(priced) + gbk(" 只股票的现价");
    if (newest > 0)
        out += gbk(", 价格日期 ") + priceDateText(newest);
    out += gbk("。");
    std::vector<std::string> missed;
    std::vector<std::string> older;
    for (const PriceUpdateLine& line : lines) {
        if (line.miss != PriceMiss::None)
            missed.push_back(line.code + ' ' + priceMissText(line.miss));
        else if (line.date > 0 && line.date < newest)
            older.push_back(line.code + ' ' + priceDateText(line.date));
    }
    if (!missed.empty()) {
        out += gbk(" 没有现价: ");
        appendCodes(out, missed);
        out += gbk("。");
    }
    if (!older.empty()) {
        out += gbk(" 注意, 价格早于 ") + priceDateText(newest) + gbk(": ");
        appendCodes(out, older);
        out += gbk("。");
    }
    return out;
}

}  // namespace tallivan
