// The columns of the four lists: captions, widths and alignments as the main window lays them
// out.
#include <algorithm>
#include <string_view>

#include "base/gbk.h"
#include "ledger/ledger_rows.h"

namespace tallivan {

namespace {

struct ColumnSpec {
    std::string_view caption;  // UTF-8 in the source
    int width;
    ColumnAlign align;
};

constexpr auto L = ColumnAlign::Left;
constexpr auto R = ColumnAlign::Right;
constexpr auto C = ColumnAlign::Centre;

std::vector<ColumnInfo> build(std::initializer_list<ColumnSpec> data) {
    std::vector<ColumnInfo> columns;
    columns.reserve(data.size() + 1);
    columns.push_back({"", 18, L});  // the image column
    for (const ColumnSpec& c : data)
        columns.push_back({gbk(c.caption), c.width, c.align});
    return columns;
}

}  // namespace

int columnCount(LedgerList list) {
    switch (list) {
        case LedgerList::Holdings:
            return held_column::kLast;
        case LedgerList::Sold:
            return sold_column::kLast;
        case LedgerList::Trades:
            return trade_column::kLast;
        case LedgerList::Funds:
            return fund_column::kLast;
    }
    return 0;
}

const std::vector<ColumnInfo>& columnsOf(LedgerList list) {
    static const std::vector<ColumnInfo> holdings = build({
        {"证券代码", 60, L},
        {"证券名称", 60, L},
        {"股数", 42, R},
        {"买价", 42, R},
        {"总买价", 68, R},
        {"现价", 42, R},
        {"总现价", 68, R},
        {"盈亏", 60, R},
        {"盈亏率", 54, R},
        {"保本价", 48, R},
        {"止损价", 48, R},
        {"获利价", 48, R},
        {"日期", 60, C},
        {"备注", 120, L},
    });
    static const std::vector<ColumnInfo> sold = build({
        {"证券代码", 60, L},
        {"证券名称", 60, L},
        {"股数", 42, R},
        {"买价", 42, R},
        {"总买价", 68, R},
        {"卖价", 42, R},
        {"总卖价", 68, R},
        {"盈亏", 60, R},
        {"盈亏率", 54, R},
        {"日期", 60, C},
        {"备注", 120, L},
    });
    static const std::vector<ColumnInfo> trades = build({
        {"日期", 60, C},
        {"证券代码", 60, L},
        {"证券名称", 60, L},
        {"操作", 36, C},
        {"股数", 42, R},
        {"价格", 48, R},
        {"税费", 54, R},
        {"总金额", 72, R},
        {"盈亏金额", 72, R},
        {"盈亏率", 54, R},
    });
    // The last two columns are hidden and never filled.
    static const std::vector<ColumnInfo> funds = build({
        {"日期", 60, C},
        {"名称", 56, L},
        {"操作", 60, L},
        {"金额", 78, R},
        {"备注", 120, L},
        {"资金余额", 0, R},
        {"资金使用率", 0, R},
    });
    switch (list) {
        case LedgerList::Holdings:
            return holdings;
        case LedgerList::Sold:
            return sold;
        case LedgerList::Trades:
            return trades;
        case LedgerList::Funds:
            break;
    }
    return funds;
}

void LedgerRow::setText(int column, std::string_view text) {
    if (column < 0 || column >= count_)
        return;
    const auto index = static_cast<std::size_t>(column);
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    const std::size_t oldLength = ends_[index] - begin;
    // Column texts are short (a memo has 30 bytes); the offsets hold far more than a row needs.
    if (packed_.size() - oldLength + text.size() > 0xFFFF)
        text = text.substr(0, 0xFFFF - (packed_.size() - oldLength));
    packed_.replace(begin, oldLength, text);
    for (std::size_t k = index; k < count_; ++k)
        ends_[k] = static_cast<std::uint16_t>(ends_[k] - oldLength + text.size());
}

void LedgerRow::resizeTexts(int count) {
    count = std::clamp(count, 0, kMaxTexts);
    if (count < count_)
        packed_.resize(count == 0 ? 0 : ends_[static_cast<std::size_t>(count - 1)]);
    for (int k = count_; k < count; ++k)
        ends_[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(packed_.size());
    count_ = static_cast<std::uint8_t>(count);
}

LedgerRow makeRow(LedgerList list, std::optional<ItemRef> ref) {
    LedgerRow row;
    row.resizeTexts(columnCount(list) + 1);
    row.ref = ref;
    return row;
}

}  // namespace tallivan
