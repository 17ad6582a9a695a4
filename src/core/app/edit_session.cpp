#include "app/edit_session.h"

#include <limits>

#include "storage/account_scrambling.h"
#include "storage/scoped_file.h"

namespace tallivan {

int EditSession::write(const AccountNode& account, int index, const LedgerRecord& record) {
    if (!account.header)
        return -1;
    const std::string path = fs_.resolveLink(account.path);
    auto next = nextSlot_.find(path);
    if (next == nextSlot_.end()) {
        ScopedFile file(fs_, path, OpenMode::Read);
        const std::int64_t size = file.isOpen() ? fs_.size(file.handle()) : -1;
        if (size < static_cast<std::int64_t>(kHeaderSize))
            return -1;
        journal_.files.push_back({path, size});
        const std::int64_t slots =
            (size - static_cast<std::int64_t>(kHeaderSize)) / static_cast<std::int64_t>(kSlotSize);
        next = nextSlot_.emplace(path, slots).first;
    }
    const std::int64_t target = index < 0 ? next->second : index;
    if (target > next->second || target >= std::numeric_limits<std::int32_t>::max())
        return -1;
    if (target == next->second)
        ++next->second;
    LedgerRecord stored = record;
    scrambleSlot(stored, target, account.header->slotKey);
    journal_.writes.push_back({path, target, stored.bytes});
    return static_cast<int>(target);
}

std::vector<std::string> EditSession::paths() const {
    std::vector<std::string> paths;
    for (const JournalFile& f : journal_.files)
        paths.push_back(f.path);
    return paths;
}

Commit EditSession::commit() {
    const Commit result = commitJournal(fs_, journal_);
    discard();
    return result;
}

void EditSession::discard() {
    journal_ = Journal{};
    nextSlot_.clear();
}

}  // namespace tallivan
