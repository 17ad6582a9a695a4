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
                const Password& password, const std::shared_ptr<const SealedKey>& sealed) {
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
    const SlotCodec codec = sealed ? SlotCodec(sealed) : SlotCodec(decoded.slotKey);
    std::string bytes = codec.encodeHeader(decoded, password);
    if (content.size() > bytes.size())
        bytes.append(content.begin() + static_cast<std::ptrdiff_t>(bytes.size()), content.end());
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

namespace {

struct SealedImage {
    std::array<std::uint8_t, kSealedSlotSize> bytes;
};

AccountContents readSealedAccount(FileSystem& fs, const std::string& path,
                                  const std::shared_ptr<const SealedKey>& key) {
    AccountContents contents;
    ScopedFile file(fs, path, OpenMode::Read);
    if (!file.isOpen())
        return contents;
    contents.status = AccountStatus::Damaged;
    std::array<std::uint8_t, kSealedHeaderSize> stored;
    if (!file.readAt(0, stored.data(), stored.size()))
        return contents;
    const std::optional<AccountHeader> header = openHeader(*key, stored.data());
    if (!header)
        return contents;
    std::vector<SealedImage> images;
    const RecordReadResult read =
        readRecords(fs, file.handle(), static_cast<std::int64_t>(kSealedHeaderSize), images);
    file.close();
    const SlotCodec codec(key);
    try {
        contents.slots.reserve(images.size());
    } catch (const std::bad_alloc&) {
        contents.status = AccountStatus::CannotOpen;
        return contents;
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::optional<LedgerRecord> slot =
            codec.decode(static_cast<std::int64_t>(i), images[i].bytes.data());
        if (!slot) {
            contents.slots.clear();
            return contents;
        }
        contents.slots.push_back(*slot);
    }
    if (!overlayPendingJournal(fs, path, codec, contents.slots)) {
        contents.slots.clear();
        return contents;
    }
    contents.status = AccountStatus::Ok;
    contents.header = *header;
    contents.sealed = key;
    contents.complete = read.reachedEnd;
    contents.partialTail = read.partialTail;
    return contents;
}

}  // namespace

std::optional<std::array<std::uint8_t, kSealPreambleSize>> readSealPreamble(
    FileSystem& fs, const std::string& path) {
    ScopedFile file(fs, path, OpenMode::Read);
    std::array<std::uint8_t, kSealPreambleSize> preamble;
    if (!file.readAt(0, preamble.data(), kSealedMagic.size()) ||
        !hasSealedMagic(preamble.data(), preamble.size()))
        return std::nullopt;
    // A sealed file cut inside its preamble is still sealed: its key check fails to read.
    if (!file.readAt(0, preamble.data(), preamble.size()))
        preamble.fill(0);
    return preamble;
}

std::string accountFileBytes(const AccountHeader& decoded, const Password& password,
                             const SlotCodec& codec, const std::vector<LedgerRecord>& slots) {
    std::string bytes;
    try {
        bytes.reserve(codec.headerSize() + codec.imageSize() * slots.size());
        bytes += codec.encodeHeader(decoded, password);
        for (std::size_t i = 0; i < slots.size(); ++i)
            bytes += codec.encode(static_cast<std::int64_t>(i), slots[i]);
    } catch (const std::bad_alloc&) {
        return {};
    }
    return bytes;
}

int rewriteAccountFile(FileSystem& fs, const std::string& path, const AccountHeader& decoded,
                       const Password& password, const SlotCodec& codec,
                       const std::vector<LedgerRecord>& slots) {
    if (sealJournal(fs) != 0)
        return -1;
    const std::string bytes = accountFileBytes(decoded, password, codec, slots);
    return bytes.empty() ? -1 : replaceFileDurably(fs, path, bytes);
}

AccountContents readAccount(FileSystem& fs, const std::string& path, const Password& password,
                            bool verifyPassword, const std::shared_ptr<const SealedKey>& sealed) {
    if (sealed)
        return readSealedAccount(fs, path, sealed);
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
    overlayPendingJournal(fs, path, SlotCodec(contents.header.slotKey), contents.slots);
    contents.status = AccountStatus::Ok;
    contents.complete = read.reachedEnd;
    contents.partialTail = read.partialTail;
    return contents;
}

AccountContents openAccount(FileSystem& fs, const std::string& path, const Password& password,
                            bool unlocked, const Clock& clock, Random& random,
                            const std::shared_ptr<const SealedKey>& sealed) {
    AccountContents contents = readAccount(fs, path, password, !unlocked, sealed);
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
