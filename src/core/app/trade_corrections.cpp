// The commands that correct the ledger after the fact: editing a transaction, undoing the last
// transaction of a stock, and deleting a stock with everything recorded for it.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/trade_form.h"
#include "ledger/cash_amount.h"
#include "ledger/row_records.h"

namespace tallivan {

void Controller::editTrade() {
    LedgerRow* row = selectedItemRow(LedgerList::Trades, "请先选择交易!");
    if (!row)
        return;
    AccountNode* const owner = row->ref->owner;
    TradeRecord trade = workRecord_.as<TradeRecord>();
    tradeFromRow(*row, trade);
    const TradeRecord old = trade;
    TradeForm form(ui_, TradeMode::Edit, trade, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    // The row shows the new transaction only once it is stored.
    workRecord_ = LedgerRecord::of(trade);
    if (!owner || writeWorkRecord(*owner, row->ref->slotIndex) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showTradeRow(*row, trade, owner, rowContext());
    // The positions change by the difference between the new and the old transaction, kept in
    // 64 bits (a difference record's 32-bit fee could not hold it).
    focus_.currentAccount = owner;
    applyToPositions(trade, [&](LedgerList list) {
        return positionChange(trade, list) - positionChange(old, list);
    });
    refreshTotals(static_cast<Extended>(cashAmount(trade)) - cashAmount(old));
}

void Controller::undoTrade() {
    const auto selected = selectedRows_[static_cast<std::size_t>(LedgerList::Trades)];
    LedgerRow* row = selectedItemRow(LedgerList::Trades, "请先选择交易!");
    if (!row)
        return;
    // Only the newest transaction of a stock in its account can be undone: the list is sorted
    // newest first, so no row above may be of the same account and code.
    const auto& rows = lists_.rows(LedgerList::Trades);
    const std::string_view code = row->text(column::kTradeCode);
    for (int i = 0; i < *selected; ++i) {
        const LedgerRow& above = rows[static_cast<std::size_t>(i)];
        if (above.ref && above.ref->owner == row->ref->owner &&
            above.text(column::kTradeCode) == code) {
            showError(ui_, gbk("不是该股票的最后一次交易,不能撤消!"));
            return;
        }
    }
    AccountNode* const owner = row->ref->owner;
    TradeRecord trade = workRecord_.as<TradeRecord>();
    tradeFromRow(*row, trade);
    TradeForm form(ui_, TradeMode::Undo, trade, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    const double paid = cashAmount(trade);
    workRecord_ = LedgerRecord::of(trade);
    workRecord_.markDeleted();
    if (!owner || writeWorkRecord(*owner, row->ref->slotIndex) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    eraseRow(LedgerList::Trades, static_cast<std::size_t>(*selected));
    // The positions lose exactly what recording gave them; an undone sale that had closed its
    // position brings the holding back.
    focus_.currentAccount = owner;
    applyToPositions(trade, [&](LedgerList list) { return -positionChange(trade, list); });
    refreshTotals(-static_cast<Extended>(paid));
}

void Controller::deleteStock() {
    LedgerRow* row = selectedItemRow(stockCommandList(), "请先选择股票!");
    if (!row)
        return;
    const std::string code(row->text(column::kCode));
    const Answer answer =
        ui_.message(gbk("该操作将删除 “") + code + std::string(row->text(column::kName)) +
                        gbk("” 的所有交易记录!是否进行?"),
                    gbk("警告"), MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != Answer::Yes)
        return;
    AccountNode* const owner = row->ref->owner;
    focus_.currentAccount = owner;
    const auto ofStock = [&](const LedgerRow& r, int codeColumn) {
        return r.ref && r.ref->owner == owner && r.text(codeColumn) == code;
    };

    // Each row goes only once its deletion is written; the first write that fails ends the
    // command, so the rows left are what the file still holds.
    bool written = true;
    for (const LedgerList list : {LedgerList::Holdings, LedgerList::Sold}) {
        auto& positions = lists_.rows(list);
        for (std::size_t i = positions.size(); written && i-- > 0;) {
            if (!ofStock(positions[i], column::kCode))
                continue;
            StockRecord stock = workRecord_.as<StockRecord>();
            stockFromRow(positions[i], stock);
            written = deleteStockRow(list, i, stock);
        }
    }
    auto& trades = lists_.rows(LedgerList::Trades);
    for (std::size_t i = trades.size(); written && i-- > 0;) {
        if (!ofStock(trades[i], column::kTradeCode))
            continue;
        TradeRecord trade = workRecord_.as<TradeRecord>();
        tradeFromRow(trades[i], trade);
        workRecord_ = LedgerRecord::of(trade);
        workRecord_.markDeleted();
        written = owner && writeWorkRecord(*owner, trades[i].ref->slotIndex) >= 0;
        if (written) {
            totals_.tradeCashTotal -= cashAmount(trade);
            eraseRow(LedgerList::Trades, i);
        }
    }
    if (!written)
        showError(ui_, gbk("写文件出错!"));
    refreshTotals(0);
}

}  // namespace tallivan
