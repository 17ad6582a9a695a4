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
    StockRecord stock{};
    stockFromRow(row, stock);
    NoteRecord note{};
    noteFromRow(row, note);
    const bool hasNote = slotKindOf(note.kindState) == SlotKind::Note;
    StockEditForm form(ui_, stock, note, hasNote, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    // The position and its memo are written together or not at all.
    const bool planned = owner && session_.write(*owner, row.ref->slotIndex, stock) >= 0 &&
                         (!hasNote || session_.write(*owner, row.ref->noteSlot, note) >= 0);
    if (!planned) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showStockRow(row, stock, owner, rowContext());
    if (hasNote)
        showStockNote(row, LedgerRecord::of(note));
    refreshTotals(0);
    scope.commit();
}

}  // namespace tallivan
