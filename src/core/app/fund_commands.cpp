// The fund commands: recording a deposit, withdrawal or adjustment, and deleting one.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/fund_form.h"
#include "ledger/row_records.h"
#include "storage/account_file.h"

namespace tallivan {

namespace {

constexpr std::size_t kFunds = static_cast<std::size_t>(LedgerList::Funds);

Extended& sumOf(PortfolioTotals& totals, int fundType) {
    return fundType == kAdjustment ? totals.adjustTotal : totals.fundTotal;
}

}  // namespace

int Controller::writeWorkRecord(const AccountNode& account, int index) {
    if (!account.header)
        return -1;
    return writeSlot(fs_, account.path, account.header->slotKey, index, workRecord_);
}

void Controller::sortKeepingSelection(LedgerList list) {
    auto& rows = lists_.rows(list);
    std::optional<ItemRef> selected;
    if (const auto row = selectedRows_[static_cast<std::size_t>(list)])
        selected = rows[static_cast<std::size_t>(*row)].ref;
    sortByDate(rows);
    if (selected)
        selectedRows_[static_cast<std::size_t>(list)] = rowOf(rows, *selected);
    changed();
}

void Controller::addFund() {
    AccountNode* account = focus_.currentAccount;
    FundForm form(ui_, workFund_, clock_.today());
    if (ui_.runDialog(form) && account) {
        workRecord_ = LedgerRecord::of(workFund_);
        // A failed append changes nothing: no row, no sum.
        const int slot = writeWorkRecord(*account, -1);
        if (slot >= 0) {
            sumOf(totals_, workFund_.type()) += static_cast<Extended>(workFund_.amount) * 0.001L;
            insertRow(LedgerList::Funds, 0,
                      makeRow(LedgerList::Funds, ItemRef{slot, -1, nullptr, 0}));
            showFundRow(lists_.rows(LedgerList::Funds).front(), workFund_, account);
            refreshTotals(0);
        }
    }
    sortKeepingSelection(LedgerList::Funds);
}

void Controller::deleteFund() {
    auto& rows = lists_.rows(LedgerList::Funds);
    const auto selected = selectedRows_[kFunds];
    if (!selected || rows[static_cast<std::size_t>(*selected)].isSummary()) {
        showError(ui_, gbk("请先选择资金!"));
        return;
    }
    const LedgerRow& row = rows[static_cast<std::size_t>(*selected)];
    const std::string question = gbk("该操作将删除 “") + std::string(row.text(1)) + " " +
                                 std::string(row.text(2)) + " " + std::string(row.text(3)) + " " +
                                 std::string(row.text(4)) + gbk("”! 是否进行?");
    if (!askWarning(ui_, question))
        return;
    AccountNode* owner = row.ref->owner;
    focus_.currentAccount = owner;
    fundFromRow(row, workFund_);
    workRecord_ = LedgerRecord::of(workFund_);
    workRecord_.markDeleted();
    if (!owner || writeWorkRecord(*owner, row.ref->slotIndex) < 0)
        return;
    // The amount the row shows, as the sum was built from the rows' amounts.
    sumOf(totals_, workFund_.type()) -= static_cast<Extended>(workFund_.amount) * 0.001L;
    eraseRow(LedgerList::Funds, static_cast<std::size_t>(*selected));
    refreshTotals(0);
}

}  // namespace tallivan
