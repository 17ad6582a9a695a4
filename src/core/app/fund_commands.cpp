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

bool Controller::addFundRow(AccountNode& account, const FundRecord& fund) {
    WriteScope scope(*this);
    if (!scope.ok())
        return false;
    const int slot = session_.write(account, -1, fund);
    if (slot < 0) {
        showError(ui_, gbk("写文件出错!"));
        return false;
    }
    sumOf(totals_, fund.type()) += static_cast<Extended>(fund.amount) * 0.001L;
    LedgerRow row = makeRow(LedgerList::Funds, ItemRef{.slotIndex = slot});
    showFundRow(row, fund, &account);
    addDatedRow(LedgerList::Funds, std::move(row));
    refreshTotals(0);
    return scope.commit();
}

void Controller::addFund() {
    AccountNode* account = focus_.currentAccount;
    FundRecord fund{};
    FundForm form(ui_, fund, clock_.today());
    if (ui_.runDialog(form) && account)
        addFundRow(*account, fund);
}

bool Controller::recordFund(AccountNode& account, const FundRecord& fund) {
    focus_.currentAccount = &account;
    return addFundRow(account, fund);
}

void Controller::deleteFund() {
    auto& rows = lists_.rows(LedgerList::Funds);
    const auto selected = selectedRows_[kFunds];
    if (!selected || rows[static_cast<std::size_t>(*selected)].isSummary()) {
        showError(ui_, gbk("请先选择资金!"));
        return;
    }
    const LedgerRow& row = rows[static_cast<std::size_t>(*selected)];
    const std::string question = gbk("该操作将删除 “") + std::string(row.text(fund_column::kDate)) +
                                 " " + std::string(row.text(fund_column::kTitle)) + " " +
                                 std::string(row.text(fund_column::kOperation)) + " " +
                                 std::string(row.text(fund_column::kAmount)) + gbk("”! 是否进行?");
    if (!askWarning(ui_, question))
        return;
    AccountNode* owner = row.ref->owner;
    focus_.currentAccount = owner;
    FundRecord fund{};
    fundFromRow(row, fund);
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    if (!owner || session_.erase(*owner, row.ref->slotIndex, fund) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    // The amount the row shows, as the sum was built from the rows' amounts.
    sumOf(totals_, fund.type()) -= static_cast<Extended>(fund.amount) * 0.001L;
    eraseRow(LedgerList::Funds, static_cast<std::size_t>(*selected));
    refreshTotals(0);
    scope.commit();
}

}  // namespace tallivan
