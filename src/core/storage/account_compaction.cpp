#include "storage/account_compaction.h"

#include <algorithm>
#include <limits>
#include <new>

#include "storage/closed_holding.h"
#include "storage/scoped_file.h"
#include "storage/slot_journal.h"

namespace tallivan {

bool compactionDue(const Clock& clock, Random& random) {
    random.seed(static_cast<std::uint32_t>(clock.secondsNow()));
    return random.next() % 20 == 0;
}

int compactFile(FileSystem& fs, const std::string& path, AccountContents& contents) {
    if (contents.status != AccountStatus::Ok || !contents.complete)
        return -1;
    // The last holding each code's sales closed stays, for undoing or correcting that sale.
    const std::vector<bool> keep = slotsToKeep(contents.slots);
    const bool anyDropped = std::find(keep.begin(), keep.end(), false) != keep.end();
    if (!anyDropped && !contents.partialTail)
        return static_cast<int>(
            std::min<std::size_t>(contents.slots.size(), std::numeric_limits<int>::max()));

    // The header goes back exactly as stored. Opening for writing also tells that the file may
    // be changed at all (the rename would replace even a read-only file), and its size that it
    // still holds exactly the slots read.
    const SlotCodec codec = contents.codec();
    const auto imageSize = static_cast<std::int64_t>(codec.imageSize());
    std::string storedHeader(codec.headerSize(), '\0');
    {
        ScopedFile file(fs, path, OpenMode::ReadWrite);
        if (!file.readAt(0, storedHeader.data(), storedHeader.size()))
            return -1;
        const std::int64_t size = fs.size(file.handle());
        const std::int64_t whole =
            codec.slotOffset(static_cast<std::int64_t>(contents.slots.size()));
        if (size < whole || size - whole >= imageSize || (size > whole) != contents.partialTail)
            return -1;
    }

    // The slots are about to move: no journal may name them as they were.
    if (sealJournal(fs) != 0)
        return -1;
    std::vector<LedgerRecord> live;
    std::string bytes;
    try {
        live.reserve(contents.slots.size());
        bytes.reserve(codec.headerSize() + contents.slots.size() * codec.imageSize());
        for (std::size_t i = 0; i < contents.slots.size(); ++i) {
            if (keep[i])
                live.push_back(contents.slots[i]);
        }
        bytes += storedHeader;
        // Each slot encoded for its new index.
        for (std::size_t i = 0; i < live.size(); ++i)
            bytes += codec.encode(static_cast<std::int64_t>(i), live[i]);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (replaceFileDurably(fs, path, bytes) != 0)
        return -1;

    contents.slots = std::move(live);
    contents.partialTail = false;
    return static_cast<int>(
        std::min<std::size_t>(contents.slots.size(), std::numeric_limits<int>::max()));
}

}  // namespace tallivan
