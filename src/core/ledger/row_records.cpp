#include "ledger/row_records.h"

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

std::int64_t milliOf(std::string_view text) {
    return toMilli(parseMoney(text).value_or(0.0));
}

int stateOf(const LedgerRow& row) {
    return row.ref ? row.ref->state() : -1;
}

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
    setDateFromText(fund, row.text(fund_column::kDate));
    fund.amount = static_cast<std::int32_t>(
        toMilli(parseMoney(row.text(fund_column::kAmount)).value_or(0.0)));
    copyToField(fund.title, sizeof fund.title, row.text(fund_column::kTitle));
    copyToField(fund.memo, sizeof fund.memo, row.text(fund_column::kMemo));
}

void stockFromRow(const LedgerRow& row, StockRecord& stock) {
    if (row.ref)
        stock.kindState = row.ref->kindState;
    copyToField(stock.code, sizeof stock.code, row.text(stock_column::kCode));
    stock.shares = parseInt(row.text(stock_column::kShares)).value_or(0);
    if (stateOf(row) == kHeldState) {
        stock.cost = milliOf(row.text(stock_column::kBuyTotal));
        stock.price = static_cast<std::int32_t>(milliOf(row.text(held_column::kCurrentPrice)));
        stock.stopLossPrice = milliOf(row.text(held_column::kStopLoss));
        stock.takeProfitPrice =
            static_cast<std::int32_t>(milliOf(row.text(held_column::kTakeProfit)));
        setDateFromText(stock, row.text(held_column::kDate));
    } else if (stateOf(row) == kSoldState) {
        stock.cost = milliOf(row.text(stock_column::kBuyTotal));
        stock.price = 0;
        stock.proceeds = milliOf(row.text(sold_column::kSaleTotal));
        stock.takeProfitPrice = 0;
        setDateFromText(stock, row.text(sold_column::kDate));
    }
}

void noteFromRow(const LedgerRow& row, NoteRecord& note) {
    const bool hasSlot = row.ref && row.ref->noteSlot != -1;
    note.kindState = kindStateOf(hasSlot ? SlotKind::Note : SlotKind::Deleted, stateOf(row));
    const int column = stateOf(row) == kHeldState ? held_column::kMemo : sold_column::kMemo;
    copyToField(note.memo, sizeof note.memo, row.text(column));
}

void tradeFromRow(const LedgerRow& row, TradeRecord& trade) {
    if (row.ref) {
        trade.kindState = row.ref->kindState;
        trade.costBasis = row.ref->costBasis;
    }
    copyToField(trade.code, sizeof trade.code, row.text(trade_column::kCode));
    trade.reserved = kTradeMarker;
    trade.shares = parseInt(row.text(trade_column::kShares)).value_or(0);
    trade.price = static_cast<std::int32_t>(milliOf(row.text(trade_column::kPrice)));
    trade.fee = static_cast<std::int32_t>(milliOf(row.text(trade_column::kFee)));
    setDateFromText(trade, row.text(trade_column::kDate));
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
