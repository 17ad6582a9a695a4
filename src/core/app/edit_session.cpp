#include "app/edit_session.h"

#include <limits>

#include "storage/scoped_file.h"

namespace tallivan {

const std::string& EditSession::resolved(const std::string& path) {
    auto it = resolvedOf_.find(path);
    if (it == resolvedOf_.end())
        it = resolvedOf_.emplace(path, fs_.resolveLink(path)).first;
    return it->second;
}

int EditSession::write(const AccountNode& account, int index, const LedgerRecord& record) {
    if (!account.header)
        return -1;
    const std::string& path = resolved(account.path);
    const SlotCodec codec = account.codec();
    auto file = files_.find(path);
    if (file == files_.end()) {
        ScopedFile opened(fs_, path, OpenMode::Read);
        const std::int64_t size = opened.isOpen() ? fs_.size(opened.handle()) : -1;
        if (size < static_cast<std::int64_t>(codec.headerSize()))
            return -1;
        journal_.files.push_back({path, size});
        file = files_.emplace(path, PlannedFile{codec.slotCount(size), {}}).first;
    }
    PlannedFile& planned = file->second;
    const std::int64_t target = index < 0 ? planned.nextSlot : index;
    if (target > planned.nextSlot || target >= std::numeric_limits<std::int32_t>::max())
        return -1;
    if (target == planned.nextSlot)
        ++planned.nextSlot;
    SlotImage stored(codec.encode(target, record));
    const auto [at, first] = planned.writeOf.emplace(target, journal_.writes.size());
    if (first)
        journal_.writes.push_back({path, target, std::move(stored)});
    else
        journal_.writes[at->second].stored = std::move(stored);
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
    files_.clear();
    resolvedOf_.clear();
}

}  // namespace tallivan
