#include "storage/account_compaction.h"

#include <algorithm>
#include <limits>
#include <new>

#include "storage/account_scrambling.h"
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
    AccountHeader storedHeader;
    {
        ScopedFile file(fs, path, OpenMode::ReadWrite);
        if (!file.readAt(0, &storedHeader, sizeof storedHeader))
            return -1;
        const std::int64_t size = fs.size(file.handle());
        const std::int64_t whole = static_cast<std::int64_t>(kHeaderSize) +
                                   static_cast<std::int64_t>(kSlotSize * contents.slots.size());
        if (size < whole || size - whole >= static_cast<std::int64_t>(kSlotSize) ||
            (size > whole) != contents.partialTail)
            return -1;
    }

    // The slots are about to move: no journal may name them as they were.
    if (sealJournal(fs) != 0)
        return -1;
    std::vector<LedgerRecord> live;
    std::string bytes;
    try {
        live.reserve(contents.slots.size());
        bytes.reserve(kHeaderSize + contents.slots.size() * kSlotSize);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    for (std::size_t i = 0; i < contents.slots.size(); ++i) {
        if (keep[i])
            live.push_back(contents.slots[i]);
    }
    bytes.append(reinterpret_cast<const char*>(&storedHeader), kHeaderSize);
    // Encoded for their new indices, appended, then decoded again (XOR is its own inverse).
    scrambleSlots(live, 0, contents.header.slotKey);
    for (const LedgerRecord& slot : live)
        bytes.append(reinterpret_cast<const char*>(slot.bytes.data()), kSlotSize);
    scrambleSlots(live, 0, contents.header.slotKey);
    if (replaceFileDurably(fs, path, bytes) != 0)
        return -1;

    contents.slots = std::move(live);
    contents.partialTail = false;
    return static_cast<int>(
        std::min<std::size_t>(contents.slots.size(), std::numeric_limits<int>::max()));
}

}  // namespace tallivan
