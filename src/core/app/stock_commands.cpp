// The commands on a held or sold position: editing its prices and memo.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/stock_edit_form.h"
#include "ledger/row_records.h"

namespace tallivan {

LedgerRow* Controller::selectedItemRow(LedgerList list, const char* complaint) {
    const auto selected = selectedRows_[static_cast<std::size_t>(list)];
    auto& rows = lists_.rows(list);
    LedgerRow* row = selected ? &rows[static_cast<std::size_t>(*selected)] : nullptr;
    if (!row || row->isSummary()) {
        showError(ui_, gbk(complaint));
        return nullptr;
    }
    return row;
}

LedgerList Controller::stockCommandList() const {
    return focusedList_ == LedgerList::Sold ? LedgerList::Sold : LedgerList::Holdings;
}

void Controller::editStock() {
    LedgerRow* selected = selectedItemRow(stockCommandList(), "请先选择股票!");
    if (!selected)
        return;
    LedgerRow& row = *selected;
    AccountNode* owner = row.ref->owner;
    focus_.currentAccount = owner;
    StockRecord stock = workRecord_.as<StockRecord>();
    stockFromRow(row, stock);
    noteFromRow(row, workNote_);
    const bool hasNote = workNote_.kindState >> 4 == static_cast<int>(SlotKind::Note);
    StockEditForm form(ui_, stock, workNote_, hasNote, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    // The row shows only what the file holds: a failed write is reported and its part of the
    // row stays as it was.
    workRecord_ = LedgerRecord::of(stock);
    const bool stockWritten = owner && writeWorkRecord(*owner, row.ref->slotIndex) >= 0;
    bool noteWritten = false;
    if (stockWritten && hasNote) {
        workRecord_ = LedgerRecord::of(workNote_);
        noteWritten = writeWorkRecord(*owner, static_cast<int>(row.ref->extra)) >= 0;
        workRecord_ = LedgerRecord::of(stock);
    }
    if (stockWritten)
        showStockRow(row, stock, owner, rowContext());
    if (noteWritten)
        showStockNote(row, LedgerRecord::of(workNote_));
    if (!stockWritten || (hasNote && !noteWritten))
        showError(ui_, gbk("写文件出错!"));
    refreshTotals(0);
}

}  // namespace tallivan
