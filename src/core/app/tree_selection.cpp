// The account tree's events: building it, selecting and clicking a node, renaming a group, and
// what selecting shows in the four lists.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/input_form.h"
#include "ledger/row_records.h"
#include "storage/account_file.h"
#include "storage/group_marker.h"

namespace tallivan {

namespace {

constexpr LedgerList kAllLists[] = {LedgerList::Holdings, LedgerList::Sold, LedgerList::Trades,
                                    LedgerList::Funds};

}  // namespace

void Controller::clearLists() {
    lists_.clear();
    totals_.clear();
    selectedRows_ = {};
    changed();
}

void Controller::buildTree() {
    DataLockHold hold(lock_);
    // The lists and the account in focus point into the nodes about to go.
    clearLists();
    focus_ = LedgerFocus{};
    selected_.reset();
    tree_.clear();
    if (settings_.wantPassword)
        commands_.showEditPassword();
    tree_.build(fs_, settings_);
    changed();
    if (tree_.empty())
        return;
    // An account that asks for a password or passphrase is opened when it is chosen, not at
    // the start.
    const bool firstAsks = tree_.size() < 2 || settings_.wantPassword ||
                           (!tree_.node(1).isGroup && readSealPreamble(fs_, tree_.node(1).path));
    selectNode(firstAsks ? 0 : 1);
}

bool Controller::loadAccount(AccountNode& node) {
    focus_.currentAccount = &node;
    // A file that cannot be opened, or holds no header, fails before any password is asked.
    if (!readStoredHeader(fs_, node.path, OpenMode::ReadWrite))
        return false;
    // A sealed account asks for its passphrase whatever the password option says.
    // Its key, once held, is checked by the file's own images as they are read.
    bool justUnlocked = false;
    if (const auto preamble = readSealPreamble(fs_, node.path)) {
        if (!node.sealed || !node.unlocked || node.sealed->preamble != *preamble) {
            if (!unlockSealed(node, *preamble))
                return false;
            justUnlocked = true;
        }
    } else if (node.sealed) {
        // Unsealed by another program since: it opens as the plain account it now is.
        node.sealed.reset();
        node.unlocked = false;
    }
    Password password = node.password;
    if (!node.unlocked) {
        password = Password{};
        if (settings_.wantPassword) {
            std::string typed;
            if (promptPassword(ui_, typed) != 1)
                return false;
            password = passwordFromText(typed);
        }
    }
    AccountContents contents =
        openAccount(fs_, node.path, password, node.unlocked && !justUnlocked, clock_, random_,
                    node.sealed);
    if (contents.status == AccountStatus::Damaged)
        showError(ui_, damagedAccountMessage());
    if (contents.status != AccountStatus::Ok) {
        if (justUnlocked) {
            node.sealed.reset();
            node.unlocked = false;
        }
        return false;
    }
    // Slots that could not be read are not shown as an empty or shorter ledger.
    if (!contents.complete) {
        showError(ui_, readFailedMessage(node.path));
        return false;
    }
    // A compaction moved the slots: other programs must read the account again.
    if (contents.compacted)
        noteOwnChange();
    node.password = password;
    node.unlocked = true;
    node.header = contents.header;
    // The title of a sealed account shows once it is open.
    for (int i = 0; node.sealed && i < tree_.size(); ++i) {
        if (tree_.node(i).account.get() == &node)
            tree_.node(i).text = fieldText(contents.header.title, sizeof contents.header.title);
    }
    lists_.addAccount(&node, contents.slots, rowContext(), totals_);
    return true;
}

void Controller::selectNode(std::optional<int> index) {
    if (index && (*index < 0 || *index >= tree_.size()))
        index.reset();
    // Read under the lock, so no other program's command is half-written in the files read.
    DataLockHold hold(lock_);
    if (!lockOrComplain(hold))
        index.reset();
    selected_ = index;
    changed();
    if (!index)
        return;
    TreeNode& node = tree_.node(*index);
    treeHint_ = node.path;
    clearLists();
    lists_.addSummaryRows();
    if (node.isGroup) {
        labelsEditable_ = true;
        commands_.select(CommandStates::Selection::Group);
        for (int i : tree_.accountsOf(*index)) {
            AccountNode& account = *tree_.node(i).account;
            if (account.unlocked)
                loadAccount(account);
        }
    } else {
        labelsEditable_ = false;
        if (loadAccount(*node.account)) {
            node.image = kTreeImage;
            node.selectedImage = kTreeImageSelected;
            commands_.select(CommandStates::Selection::OpenedAccount);
        } else {
            commands_.select(CommandStates::Selection::FailedAccount);
        }
    }
    // Transactions and fund movements run newest first; each list opens on its first row, so
    // the newest entry is the one selected and in view.
    lists_.sortByDate();
    for (LedgerList list : kAllLists) {
        if (!lists_.rows(list).empty())
            selectRow(list, 0);
    }
    ++openings_;
    refreshTotals(0);
}

void Controller::clickNode() {
    if (!selected_)
        return;
    TreeNode& node = tree_.node(*selected_);
    labelsEditable_ = node.isGroup;
    if (!node.isGroup && !node.account->unlocked)
        selectNode(selected_);
    changed();
}

void Controller::renameGroup(int index, const std::string& name) {
    if (index < 0 || index >= tree_.size() || !tree_.node(index).isGroup)
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    TreeNode& group = tree_.node(index);
    // A name that could not be stored is not shown either: the label keeps the stored name.
    if (const auto stored = writeGroupName(fs_, group.path, name)) {
        group.text = *stored;
        scope.changedFiles();
        scope.commit();
    } else {
        showError(ui_, writeFailedMessage(joinPath(group.path, kGroupMarkerFileName)));
    }
    changed();
}

std::string Controller::emptyLedgerHint() const {
    static const std::string hint = gbk("F7 添加帐户 → F8 存入资金 → F11 买入股票");
    bool anyAccount = false;
    for (int i = 0; i < tree_.size() && !anyAccount; ++i)
        anyAccount = !tree_.node(i).isGroup;
    if (!anyAccount)
        return hint;
    if (!selected_ || tree_.node(*selected_).isGroup || !tree_.node(*selected_).account->unlocked)
        return {};
    // The stock lists always hold their summary row.
    for (LedgerList list : kAllLists) {
        for (const LedgerRow& row : lists_.rows(list)) {
            if (!row.isSummary())
                return {};
        }
    }
    return hint;
}

std::optional<int> Controller::selectedRow(LedgerList list) const {
    return selectedRows_[static_cast<std::size_t>(list)];
}

void Controller::selectRow(LedgerList list, std::optional<int> row) {
    const auto& rows = lists_.rows(list);
    if (row && (*row < 0 || *row >= static_cast<int>(rows.size())))
        row.reset();
    selectedRows_[static_cast<std::size_t>(list)] = row;
    if (list == LedgerList::Holdings || list == LedgerList::Sold)
        selectStockRow(rows, row, focus_);
    changed();
}

void Controller::refreshTotals(Extended delta) {
    // A batch refreshes once at its end; meanwhile only the running sum follows.
    if (inBatch()) {
        totals_.tradeCashTotal += delta;
        return;
    }
    tallivan::refreshTotals(lists_, totals_, panel_, delta, settings_);
    changed();
}

}  // namespace tallivan
