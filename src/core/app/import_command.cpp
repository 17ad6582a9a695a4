// 导入交割单: a broker's statement into the account shown. The statement is read and compared
// with the account, the person sees what becomes of every row, and the new rows are recorded
// in the order they happened through the very steps the recording commands take once their
// dialogs are confirmed, all of them as one command.
#include "app/controller.h"
#include "base/gbk.h"
#include "forms/import_form.h"
#include "ledger/dated_records.h"
#include "ledger/row_records.h"
#include "statement/imported_ids.h"
#include "statement/statement_reader.h"

namespace tallivan {

namespace {

// The memo field of a fund movement holds the statement's name of it, the title says where it
// came from.
const char* const kFundTitle = "交割单";

// The first subscription of `code` in `account` that asked for at least `shares`, the one the
// preview took the allotment for.
LedgerRow* subscriptionOf(LedgerLists& lists, const AccountNode& account, const std::string& code,
                          std::int32_t shares) {
    for (LedgerRow& row : lists.rows(LedgerList::Trades)) {
        if (row.ref && row.ref->owner == &account && row.ref->state() == kSubscription &&
            row.text(trade_column::kCode) == code &&
            parseInt(row.text(trade_column::kShares)).value_or(0) >= shares)
            return &row;
    }
    return nullptr;
}

}  // namespace

void Controller::importStatement() {
    TreeNode* node = selectedAccountOrComplain();
    if (!node || !node->account->header)
        return;
    AccountNode& account = *node->account;
    const std::optional<std::string> path = ui_.chooseFileToOpen(
        gbk("导入交割单"), gbk("交割单 (*.xls *.xlsx *.csv *.txt);;所有文件 (*)"));
    if (!path)
        return;
    const std::optional<std::string> bytes = readWholeFile(fs_, *path);
    StatementReading reading = bytes ? readStatement(*bytes) : StatementReading{};
    if (!bytes || reading.problem == StatementProblem::Unreadable) {
        showError(ui_, readFailedMessage(*path));
        return;
    }
    if (reading.problem == StatementProblem::NoHeader) {
        showError(ui_, gbk("文件 “") + *path + gbk("” 中没有可识别的交割单表头!"));
        return;
    }
    StatementPreview& preview = reading.preview;
    AccountHoldings holdings = holdingsOf(lists_, &account);
    if (const auto ids = readWholeFile(fs_, importedIdsPath(account.path)))
        holdings.importedIds = parseImportedIds(*ids);
    comparePreview(preview, holdings);
    ImportForm form(ui_, preview, *path);
    if (!ui_.runDialog(form))
        return;
    recordStatement(account, preview);
}

void Controller::recordStatement(AccountNode& account, const StatementPreview& preview) {
    // All the rows or none of them, each as its command records it.
    if (!beginBatch())
        return;
    const std::string caption = gbk("导入交割单");
    const std::size_t total = preview.order.size();
    const std::size_t step = std::max<std::size_t>(1, total / 100);
    std::size_t done = 0;
    std::string ids;
    for (const std::size_t i : preview.order) {
        const StatementEntry& entry = preview.entries[i];
        recordStatementEntry(account, entry);
        if (!importedIdName(entry).empty())
            ids += importedIdLine(entry, recordedKey(entry));
        if (++done % step == 0 && done < total)
            ui_.showProgress(caption, done, total);
    }
    // The numbers only help to know the rows again: kept while the data directory is held; a
    // number kept for a row the batch then did not store names no row and is passed over.
    if (!ids.empty()) {
        const std::string path = importedIdsPath(account.path);
        replaceFileDurably(fs_, path, readWholeFile(fs_, path).value_or(std::string()) + ids);
    }
    endBatch();
    ui_.showProgress(caption, total, total);
}

void Controller::recordStatementEntry(AccountNode& account, const StatementEntry& e) {
    focus_.currentAccount = &account;
    const Date date = *e.date;
    switch (e.command) {
        case ImportCommand::Buy: {
            TradeRecord t = newTrade(kBuy, kTradeMarker, date);
            copyToField(t.code, sizeof t.code, e.code);
            t.shares = e.shares;
            t.price = static_cast<std::int32_t>(e.price);
            t.fee = static_cast<std::int32_t>(e.fee);
            recordTrade(account, t);
            return;
        }
        case ImportCommand::Sell:
        case ImportCommand::RightsIssue:
        case ImportCommand::BonusShares:
        case ImportCommand::Dividend: {
            const int type = tradeTypeOf(e.command);
            // As the commands on a holding start it; a dividend paid after the last sale has
            // no holding to start from.
            const auto holding = positionRow(LedgerList::Holdings, &account, e.code);
            TradeRecord t =
                holding ? tradeOnHolding(lists_.rows(LedgerList::Holdings)[*holding], type, date)
                        : newTrade(type, 0, date);
            copyToField(t.code, sizeof t.code, e.code);
            t.shares = e.command == ImportCommand::Dividend ? 0 : e.shares;
            t.price = e.command == ImportCommand::Sell || e.command == ImportCommand::RightsIssue
                          ? static_cast<std::int32_t>(e.price)
                          : 0;
            t.fee = e.command == ImportCommand::Sell       ? static_cast<std::int32_t>(e.fee)
                    : e.command == ImportCommand::Dividend ? static_cast<std::int32_t>(e.amount)
                                                           : 0;
            recordTrade(account, t);
            return;
        }
        case ImportCommand::Won:
            if (LedgerRow* subscription = subscriptionOf(lists_, account, e.code, e.shares))
                recordAllotment(*subscription, e.shares);
            return;
        case ImportCommand::Deposit:
        case ImportCommand::Withdrawal:
        case ImportCommand::Adjustment: {
            FundRecord fund{};
            fund.kindState = kindStateOf(SlotKind::Fund, fundTypeOf(e.command));
            setDate(fund, date);
            fund.amount = static_cast<std::int32_t>(e.amount);
            copyToField(fund.title, sizeof fund.title, gbk(kFundTitle));
            copyToField(fund.memo, sizeof fund.memo, e.operationText);
            recordFund(account, fund);
            return;
        }
        case ImportCommand::None:
            return;
    }
}

}  // namespace tallivan
