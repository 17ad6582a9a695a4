// The commands that correct the ledger after the fact: editing a transaction, undoing the last
// transaction of a stock, and deleting a stock with everything recorded for it.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/trade_form.h"
#include "ledger/cash_amount.h"
#include "ledger/position_change.h"
#include "ledger/row_records.h"

namespace tallivan {

void Controller::editTrade() {
    LedgerRow* row = selectedItemRow(LedgerList::Trades, "请先选择交易!");
    if (!row)
        return;
    AccountNode* const owner = row->ref->owner;
    TradeRecord trade{};
    tradeFromRow(*row, trade);
    const TradeRecord old = trade;
    TradeForm form(ui_, TradeMode::Edit, trade, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    focus_.currentAccount = owner;
    // A sale whose shares, price or fee changed moves the cost such a sale moves, unless the
    // person typed its cost basis.
    const bool saleChanged =
        trade.type() == kSell &&
        (trade.shares != old.shares || trade.price != old.price || trade.fee != old.fee);
    if (saleChanged && !form.costBasisTyped() && !recomputeCostBasis(old, trade))
        return;
    // The positions change by the difference between the new and the old transaction, kept in
    // 64 bits (a difference record's 32-bit fee could not hold it).
    const auto difference = [&](LedgerList list) {
        return positionChange(trade, list) - positionChange(old, list);
    };
    focus_.currentAccount = owner;
    WriteScope scope(*this);
    if (!scope.ok() || !positionsFit(trade, difference))
        return;
    if (!owner || session_.write(*owner, row->ref->slotIndex, trade) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showTradeRow(*row, trade, owner, rowContext());
    applyToPositions(trade, difference);
    refreshTotals(static_cast<Extended>(cashAmount(trade)) - cashAmount(old));
    scope.commit();
}

bool Controller::recomputeCostBasis(const TradeRecord& old, TradeRecord& sale) {
    // The holding as it stood before the sale: what it holds now plus what the sale took.
    StockRecord held{};
    if (const auto at = positionRow(LedgerList::Holdings, focus_.currentAccount,
                                    fieldText(sale.code, sizeof sale.code)))
        stockFromRow(lists_.rows(LedgerList::Holdings)[*at], held);
    const std::int64_t sharesBefore = std::int64_t{held.shares} + old.shares;
    if (sale.shares > sharesBefore) {
        showError(ui_, gbk("卖出股数大于买入股数！"));
        return false;
    }
    sale.costBasis = saleCostBasis(sale.shares, static_cast<std::int32_t>(sharesBefore),
                                   wrapAdd(held.cost, old.costBasis), toMilli(cashAmount(sale)));
    return true;
}

void Controller::undoTrade() {
    const auto selected = selectedRows_[static_cast<std::size_t>(LedgerList::Trades)];
    LedgerRow* row = selectedItemRow(LedgerList::Trades, "请先选择交易!");
    if (!row)
        return;
    // Only the newest transaction of a stock in its account can be undone: the list is sorted
    // newest first, so no row above may be of the same account and code.
    const auto& rows = lists_.rows(LedgerList::Trades);
    const std::string_view code = row->text(trade_column::kCode);
    for (int i = 0; i < *selected; ++i) {
        const LedgerRow& above = rows[static_cast<std::size_t>(i)];
        if (above.ref && above.ref->owner == row->ref->owner &&
            above.text(trade_column::kCode) == code) {
            showError(ui_, gbk("不是该股票的最后一次交易,不能撤消!"));
            return;
        }
    }
    AccountNode* const owner = row->ref->owner;
    TradeRecord trade{};
    tradeFromRow(*row, trade);
    TradeForm form(ui_, TradeMode::Undo, trade, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    const double paid = cashAmount(trade);
    // The positions lose exactly what recording gave them; an undone sale that had closed its
    // position brings the holding back.
    const auto reversal = [&](LedgerList list) { return -positionChange(trade, list); };
    focus_.currentAccount = owner;
    WriteScope scope(*this);
    if (!scope.ok() || !positionsFit(trade, reversal))
        return;
    if (!owner || session_.erase(*owner, row->ref->slotIndex, trade) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    eraseRow(LedgerList::Trades, static_cast<std::size_t>(*selected));
    applyToPositions(trade, reversal);
    refreshTotals(-static_cast<Extended>(paid));
    scope.commit();
}

void Controller::deleteStock() {
    LedgerRow* row = selectedItemRow(stockCommandList(), "请先选择股票!");
    if (!row)
        return;
    const std::string code(row->text(stock_column::kCode));
    const Answer answer =
        ui_.message(gbk("该操作将删除 “") + code + std::string(row->text(stock_column::kName)) +
                        gbk("” 的所有交易记录!是否进行?"),
                    gbk("警告"), MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != Answer::Yes)
        return;
    AccountNode* const owner = row->ref->owner;
    focus_.currentAccount = owner;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    const auto ofStock = [&](const LedgerRow& r, int codeColumn) {
        return r.ref && r.ref->owner == owner && r.text(codeColumn) == code;
    };

    // Every deletion is written with the others or none is; a slot that cannot be planned ends
    // the command with nothing written.
    bool written = true;
    for (const LedgerList list : {LedgerList::Holdings, LedgerList::Sold}) {
        auto& positions = lists_.rows(list);
        for (std::size_t i = positions.size(); written && i-- > 0;) {
            if (!ofStock(positions[i], stock_column::kCode))
                continue;
            StockRecord stock{};
            stockFromRow(positions[i], stock);
            written = deleteStockRow(list, i, stock);
        }
    }
    auto& trades = lists_.rows(LedgerList::Trades);
    for (std::size_t i = trades.size(); written && i-- > 0;) {
        if (!ofStock(trades[i], trade_column::kCode))
            continue;
        TradeRecord trade{};
        tradeFromRow(trades[i], trade);
        written = owner && session_.erase(*owner, trades[i].ref->slotIndex, trade) >= 0;
        if (written) {
            totals_.tradeCashTotal -= cashAmount(trade);
            eraseRow(LedgerList::Trades, i);
        }
    }
    if (!written) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    refreshTotals(0);
    scope.commit();
}

}  // namespace tallivan
