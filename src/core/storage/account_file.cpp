#include "storage/account_file.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "storage/account_compaction.h"
#include "storage/account_scrambling.h"
#include "storage/record_reader.h"
#include "storage/scoped_file.h"
#include "storage/slot_journal.h"

namespace tallivan {

namespace {

std::int64_t slotOffset(std::int64_t index) {
    return static_cast<std::int64_t>(kHeaderSize) + static_cast<std::int64_t>(kSlotSize) * index;
}

}  // namespace

std::string accountFileName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "zr_%05d.acc", n);
    return name;
}

std::string newAccountPath(FileSystem& fs, const std::string& directory) {
    for (int n = 1;; ++n) {
        std::string path = joinPath(directory, accountFileName(n));
        if (!fs.exists(path) || n == std::numeric_limits<int>::max())
            return path;
    }
}

int createAccountFile(FileSystem& fs, const std::string& path, const AccountHeader& decoded) {
    // An old journal must not reach a new file of a name it once wrote.
    if (fs.exists(path) || sealJournal(fs) != 0)
        return -1;
    const AccountHeader stored = encodeHeader(decoded, Password{});
    return replaceFileDurably(fs, path,
                              std::string(reinterpret_cast<const char*>(&stored), sizeof stored));
}

std::optional<AccountHeader> readStoredHeader(FileSystem& fs, const std::string& path,
                                              OpenMode mode) {
    ScopedFile file(fs, path, mode);
    AccountHeader stored;
    if (!file.readAt(0, &stored, sizeof stored))
        return std::nullopt;
    return stored;
}

int writeHeader(FileSystem& fs, const std::string& path, const AccountHeader& decoded,
                const Password& password) {
    // The header holds the keys of every slot, so it is never rewritten in place: the whole
    // file is replaced, and a crash leaves the old header or the new one, never half of each.
    if (sealJournal(fs) != 0)
        return -1;
    std::vector<char> content;
    {
        ScopedFile file(fs, path, OpenMode::ReadWrite);  // must exist and be writable
        if (!file.isOpen() || !readRecords(fs, file.handle(), 0, content).reachedEnd)
            return -1;
    }
    const AccountHeader stored = encodeHeader(decoded, password);
    std::string bytes(reinterpret_cast<const char*>(&stored), sizeof stored);
    if (content.size() > kHeaderSize)
        bytes.append(content.begin() + kHeaderSize, content.end());
    return replaceFileDurably(fs, path, bytes);
}

int writeSlot(FileSystem& fs, const std::string& path, const SlotKey& key, int index,
              const LedgerRecord& record) {
    ScopedFile file(fs, path, OpenMode::ReadWrite);
    if (!file.isOpen())
        return -1;
    const std::int64_t size = fs.size(file.handle());
    if (size < static_cast<std::int64_t>(kHeaderSize))
        return -1;
    const std::int64_t slotCount =
        (size - static_cast<std::int64_t>(kHeaderSize)) / static_cast<std::int64_t>(kSlotSize);
    const std::int64_t target = index < 0 ? slotCount : index;
    if (target > slotCount || target > std::numeric_limits<int>::max())
        return -1;
    LedgerRecord stored = record;
    scrambleSlot(stored, target, key);
    const bool written = file.writeAt(slotOffset(target), stored.bytes.data(), kSlotSize);
    return file.close() && written ? static_cast<int>(target) : -1;
}

AccountContents readAccount(FileSystem& fs, const std::string& path, const Password& password,
                            bool verifyPassword) {
    AccountContents contents;
    ScopedFile file(fs, path, OpenMode::Read);
    if (!file.isOpen())
        return contents;
    AccountHeader stored;
    if (!file.readAt(0, &stored, sizeof stored)) {
        contents.status = AccountStatus::TooShort;
        return contents;
    }
    contents.header = decodeHeader(stored, password);
    if (verifyPassword && !hasCheckPattern(contents.header)) {
        contents.status = AccountStatus::WrongPassword;
        contents.header = AccountHeader{};
        return contents;
    }
    const RecordReadResult read =
        readRecords(fs, file.handle(), static_cast<std::int64_t>(kHeaderSize), contents.slots);
    file.close();
    scrambleSlots(contents.slots, 0, contents.header.slotKey);
    overlayPendingJournal(fs, path, contents.header.slotKey, contents.slots);
    contents.status = AccountStatus::Ok;
    contents.complete = read.reachedEnd;
    contents.partialTail = read.partialTail;
    return contents;
}

AccountContents openAccount(FileSystem& fs, const std::string& path, const Password& password,
                            bool unlocked, const Clock& clock, Random& random) {
    AccountContents contents = readAccount(fs, path, password, !unlocked);
    // Not while a journal waits: its writes name the slots as they are now.
    if (contents.status == AccountStatus::Ok && !unlocked && compactionDue(clock, random) &&
        !journalWaiting(fs)) {
        const std::size_t slotsBefore = contents.slots.size();
        const bool hadTail = contents.partialTail;
        // On failure the file and the slots read stay valid.
        contents.compacted = compactFile(fs, path, contents) >= 0 &&
                             (contents.slots.size() != slotsBefore || hadTail);
    }
    return contents;
}

}  // namespace tallivan
