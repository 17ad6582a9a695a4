// How commands share the data directory with other programs: the data lock for the length of
// a command, a view read again when another program changed the files, and the writes of a
// command going to the files together.
#include "app/controller.h"

#include "base/gbk.h"

namespace tallivan {

namespace {

const char* const kBusy = "数据正被另一个程序修改,请稍后再试!";
const char* const kOvertaken = "数据已被另一个程序修改,已重新读入,请重新操作!";

}  // namespace

std::string writeFailedMessage(const std::string& path) {
    return gbk("写文件出错! “") + path + gbk("”");
}

std::string readFailedMessage(const std::string& path) {
    return gbk("读文件出错! “") + path + gbk("”");
}

Controller::WriteScope::WriteScope(Controller& c) : controller_(c) {
    if (c.writeDepth_ > 0) {
        ++c.writeDepth_;
        ok_ = true;
        return;
    }
    if (c.lock_.acquire() == LockStatus::Busy) {
        showError(c.ui_, gbk(kBusy));
        done_ = true;
        return;
    }
    ++c.writeDepth_;
    // A write planned on a view another program has overtaken could land on the wrong slot.
    if (c.lock_.generation() != c.knownGeneration_) {
        c.reloadFromDisk();
        showError(c.ui_, gbk(kOvertaken));
        return;
    }
    ok_ = true;
}

Controller::WriteScope::~WriteScope() {
    Controller& c = controller_;
    if (done_ && c.writeDepth_ == 0)
        return;  // never held
    if (--c.writeDepth_ > 0) {
        // A command inside a batch that stopped after planning writes spoils the batch.
        if (!done_)
            c.batchSpoiled_ = c.batchSpoiled_ || !c.session_.empty();
        return;
    }
    if (!done_ && !c.session_.empty()) {
        c.session_.discard();
        c.reloadView();
    }
    c.lock_.release();
}

bool Controller::WriteScope::commit() {
    Controller& c = controller_;
    done_ = true;
    if (!ok_)
        return false;
    if (c.writeDepth_ > 1)
        return true;  // the batch writes it
    return c.commitSession();
}

bool Controller::commitSession() {
    const std::vector<std::string> paths = session_.paths();
    const bool wroteFiles = !paths.empty() || otherFilesChanged_;
    otherFilesChanged_ = false;
    // A journal that is whole counts as written: the files get it at the next recovery, and
    // every reader sees it meanwhile.
    if (session_.commit() == Commit::Failed) {
        showError(ui_, writeFailedMessage(paths.empty() ? kJournalFileName : paths.front()));
        reloadView();
        return false;
    }
    if (wroteFiles)
        noteOwnChange();
    return true;
}

void Controller::noteOwnChange() {
    if (!lock_.held())
        return;
    // A change by another program since this view was read stays noticed.
    const bool current = lock_.generation() == knownGeneration_;
    const std::uint64_t next = lock_.bump();
    if (current)
        knownGeneration_ = next;
}

bool Controller::beginBatch() {
    if (writeDepth_ > 0)
        return false;
    if (lock_.acquire() == LockStatus::Busy) {
        showError(ui_, gbk(kBusy));
        return false;
    }
    ++writeDepth_;
    if (lock_.generation() != knownGeneration_) {
        reloadFromDisk();
        showError(ui_, gbk(kOvertaken));
        --writeDepth_;
        lock_.release();
        return false;
    }
    batchSpoiled_ = false;
    batchOpen_ = true;
    return true;
}

bool Controller::endBatch() {
    if (writeDepth_ != 1)
        return false;
    batchOpen_ = false;
    for (LedgerList list : {LedgerList::Trades, LedgerList::Funds})
        finishDatedRows(list);
    refreshTotals(0);
    --writeDepth_;
    bool written = false;
    if (batchSpoiled_) {
        session_.discard();
        reloadView();
    } else {
        written = commitSession();
    }
    batchSpoiled_ = false;
    lock_.release();
    return written;
}

bool Controller::lockOrComplain(DataLockHold& hold) {
    if (hold.status() != LockStatus::Busy)
        return true;
    showError(ui_, gbk(kBusy));
    return false;
}

bool Controller::holdDataLock() {
    if (lockHeldForRun_)
        return true;
    if (lock_.acquire() == LockStatus::Busy) {
        showError(ui_, gbk(kBusy));
        return false;
    }
    lockHeldForRun_ = true;
    knownGeneration_ = lock_.generation();
    return true;
}

bool Controller::refreshIfChanged() {
    if (writeDepth_ > 0 || lock_.generation() == knownGeneration_)
        return false;
    DataLockHold hold(lock_);
    if (hold.status() == LockStatus::Busy)
        return false;  // asked again later
    reloadFromDisk();
    return true;
}

void Controller::reloadView() {
    const auto rowsShown = selectedRows_;
    const LedgerList focused = focusedList_;
    // The same ledger read again, not a new one opened: views keep their order and place.
    const int openings = openings_;
    selectNode(selected_);
    openings_ = openings;
    for (std::size_t i = 0; i < rowsShown.size(); ++i) {
        if (rowsShown[i])
            selectRow(static_cast<LedgerList>(i), rowsShown[i]);
    }
    focusedList_ = focused;
}

void Controller::reloadFromDisk() {
    // The passwords given and the node shown are kept; everything else is read again.
    std::map<std::string, Password> unlocked;
    for (int i = 0; i < tree_.size(); ++i) {
        const TreeNode& node = tree_.node(i);
        if (node.account && node.account->unlocked)
            unlocked[node.path] = node.account->password;
    }
    const std::optional<std::string> shown =
        selected_ ? std::optional<std::string>(tree_.node(*selected_).path) : std::nullopt;
    const auto rowsShown = selectedRows_;

    settings_ = defaultSettings();
    settingsReadable_ = loadSettings(fs_, settings_) != SettingsLoad::Unreadable;
    names_.load(fs_);
    clearLists();
    focus_ = LedgerFocus{};
    selected_.reset();
    tree_.clear();
    tree_.build(fs_, settings_);
    for (int i = 0; i < tree_.size(); ++i) {
        TreeNode& node = tree_.node(i);
        if (const auto it = unlocked.find(node.path); node.account && it != unlocked.end()) {
            node.account->unlocked = true;
            node.account->password = it->second;
            node.image = kTreeImage;
            node.selectedImage = kTreeImageSelected;
        }
    }
    knownGeneration_ = lock_.generation();
    changed();
    std::optional<int> select = shown ? tree_.find(*shown) : std::nullopt;
    if (!shown && !tree_.empty())
        select = 0;
    const int openings = openings_;
    selectNode(select);
    if (shown && select)
        openings_ = openings;  // the same ledger read again
    if (!select)
        refreshTotals(0);
    for (std::size_t i = 0; i < rowsShown.size(); ++i) {
        if (rowsShown[i])
            selectRow(static_cast<LedgerList>(i), rowsShown[i]);
    }
}

}  // namespace tallivan
