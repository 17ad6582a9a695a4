// The rows of held and sold positions, and their memos.
#include <string>

#include "base/gbk.h"
#include "ledger/fees.h"
#include "ledger/ledger_rows.h"
#include "ledger/row_format.h"

namespace tallivan {

namespace {

int markOf(double profit) {
    return profit >= 0 ? kMarkProfit : kMarkLoss;
}

// Columns 1..13; the memo column is the note's and stays as it is.
void fillHeld(LedgerRow& row, const StockRecord& stock, const std::string& code, int category,
              const RowContext& context) {
    const CategoryTable& table = context.settings.categories;
    const std::int32_t shares = stock.shares;
    const std::int64_t cost = stock.cost;
    const std::int64_t price = stock.price;
    const std::int64_t stopLoss = stock.stopLossPrice;
    const double totalCost = static_cast<double>(rows::yuan(cost));
    const double current = static_cast<double>(rows::yuan(price));
    const PriceTick tick = priceTickOfCategory(table, category);

    const double buyPrice =
        shares == 0 ? 0.0 : buyPriceForTotal(table, shares, category, totalCost);
    const double value =
        static_cast<double>(static_cast<Extended>(shares) * current -
                            tradeFee(table, shares, category, current, TradeSide::Sell));
    const double profit = static_cast<double>(static_cast<Extended>(value) - rows::yuan(cost));
    // The profit in yuan against the cost in milli-yuan.
    const Extended profitRate =
        cost != 0 ? static_cast<Extended>(profit) * 1000.0L / cost * 100.0L : 0.0L;

    row.setText(held_column::kCode, code);
    row.setText(held_column::kName, context.names.nameOf(code));
    row.setText(held_column::kShares, std::to_string(shares));
    row.setText(held_column::kBuyPrice, rows::price(buyPrice, tick));
    row.setText(held_column::kBuyTotal, rows::money(totalCost));
    row.setText(held_column::kCurrentPrice, rows::price(current, tick));
    row.setText(held_column::kValue, rows::money(value));
    row.setText(held_column::kProfit, rows::money(profit));
    row.setText(held_column::kProfitRatio, rows::rate(profitRate));
    row.setText(held_column::kBreakEven,
                rows::price(sellPriceForNet(table, shares, category, totalCost, 0), tick));
    row.setText(held_column::kStopLoss, rows::price(rows::yuan(stopLoss), tick));
    row.setText(held_column::kTakeProfit, rows::price(rows::yuan(stock.takeProfitPrice), tick));
    row.setText(held_column::kDate, dateText(stock.year, stock.month, stock.day));

    if (price <= stopLoss)
        row.image = kImageLoss;
    else if (price < stock.takeProfitPrice)
        row.image = kImageBetween;
    else
        row.image = kImageProfit;
    row.profitMark = markOf(profit);
}

// Columns 1..10; the memo column is the note's and stays as it is.
void fillSold(LedgerRow& row, const StockRecord& stock, const std::string& code, int category,
              const RowContext& context) {
    const CategoryTable& table = context.settings.categories;
    const std::int32_t shares = stock.shares;
    const std::int64_t cost = stock.cost;
    const std::int64_t proceeds = stock.proceeds;
    const double totalCost = static_cast<double>(rows::yuan(cost));
    const double totalProceeds = static_cast<double>(rows::yuan(proceeds));
    const PriceTick tick = priceTickOfCategory(table, category);

    // The difference in whole milli-yuan first; only values no ledger reaches overflow it, and
    // those take the difference in extended precision instead.
    std::int64_t gain = 0;
    const Extended difference = __builtin_sub_overflow(proceeds, cost, &gain)
                                    ? static_cast<Extended>(proceeds) - cost
                                    : static_cast<Extended>(gain);
    const double profit = static_cast<double>(difference * 0.001L);
    const Extended profitRate = cost != 0 ? difference / cost * 100.0L : 0.0L;

    row.setText(sold_column::kCode, code);
    row.setText(sold_column::kName, context.names.nameOf(code));
    row.setText(sold_column::kShares, std::to_string(shares));
    row.setText(
        sold_column::kBuyPrice,
        rows::price(shares == 0 ? 0.0 : buyPriceForTotal(table, shares, category, totalCost),
                    tick));
    row.setText(sold_column::kBuyTotal, rows::money(totalCost));
    row.setText(sold_column::kSellPrice,
                rows::price(sellPriceForNet(table, shares, category, totalProceeds, 0), tick));
    row.setText(sold_column::kSaleTotal, rows::money(totalProceeds));
    row.setText(sold_column::kProfit, rows::money(profit));
    row.setText(sold_column::kProfitRatio, rows::rate(profitRate));
    row.setText(sold_column::kDate, dateText(stock.year, stock.month, stock.day));

    row.profitMark = markOf(profit);
    row.image = row.profitMark;  // image 4 and mark 4 for profit, 2 and 2 for a loss
}

}  // namespace

void showStockRow(LedgerRow& row, const StockRecord& stock, AccountNode* owner,
                  const RowContext& context) {
    if (!row.ref)
        return;
    const int state = stock.state();
    if (state != kHeldState && state != kSoldState)
        return;
    row.ref->owner = owner;
    row.ref->kindState = stock.kindState;
    const LedgerList list = state == kHeldState ? LedgerList::Holdings : LedgerList::Sold;
    row.resizeTexts(columnCount(list) + 1);

    const std::string code = fieldText(stock.code, sizeof stock.code);
    const int category = categoryOfCode(context.settings, code);
    if (state == kHeldState)
        fillHeld(row, stock, code, category, context);
    else
        fillSold(row, stock, code, category, context);
}

bool showStockNote(LedgerRow& row, const LedgerRecord& slot) {
    if (slot.kind() != SlotKind::Note)
        return false;
    if (!row.ref)
        return true;
    const int state = row.ref->state();
    const int column =
        state == kHeldState ? held_column::kMemo : (state == kSoldState ? sold_column::kMemo : -1);
    if (column >= 0 && column < row.textCount()) {
        const NoteRecord note = slot.as<NoteRecord>();
        row.setText(column, fieldText(note.memo, sizeof note.memo));
    }
    return true;
}

}  // namespace tallivan
