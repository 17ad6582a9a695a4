#include "storage/slot_journal.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <optional>

#include "base/little_endian.h"
#include "storage/scoped_file.h"

namespace tallivan {

namespace {

// A journal of scrambled slots only keeps the first format, which names no image sizes; one
// holding sealed images gives each image's size.
constexpr char kMagic[8] = {'T', 'L', 'V', 'J', 'N', 'L', '0', '1'};
constexpr char kSizedMagic[8] = {'T', 'L', 'V', 'J', 'N', 'L', '0', '2'};

std::uint64_t checksum(const char* data, std::size_t size) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (std::size_t i = 0; i < size; ++i) {
        h ^= static_cast<unsigned char>(data[i]);
        h *= 1099511628211ull;
    }
    return h;
}

template <typename T>
void put(std::string& out, T value) {
    unsigned char bytes[sizeof(T)];
    storeLittleEndian(bytes, value);
    out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// Reads the journal's fields in order; every read past the end fails.
class Cursor {
  public:
    Cursor(const std::string& bytes, std::size_t end) : bytes_(bytes), end_(end) {}
    template <typename T>
    bool get(T& value) {
        if (end_ - at_ < sizeof(T))
            return false;
        value = loadLittleEndian<T>(reinterpret_cast<const unsigned char*>(bytes_.data() + at_));
        at_ += sizeof(T);
        return true;
    }
    bool take(std::size_t size, const char*& data) {
        if (end_ - at_ < size)
            return false;
        data = bytes_.data() + at_;
        at_ += size;
        return true;
    }
    bool atEnd() const { return at_ == end_; }

  private:
    const std::string& bytes_;
    std::size_t end_;
    std::size_t at_ = 0;
};

// Writes one file's slots and syncs it. A file smaller than it was when the writes were planned
// has been replaced since: nothing is written into it.
bool applyToFile(FileSystem& fs, const Journal& journal, ScopedFile& out, const JournalFile& file) {
    if (!out.isOpen())
        return false;
    if (fs.size(out.handle()) < file.sizeBefore)
        return true;
    // The file's slots in order, the last write of a slot winning, each run of neighbouring
    // slots written in one go.
    std::map<std::int64_t, const SlotWrite*> slots;
    for (const SlotWrite& w : journal.writes) {
        if (w.path == file.path)
            slots[w.index] = &w;
    }
    std::string run;
    std::int64_t runStart = 0;
    std::size_t imageSize = 0;
    const auto flush = [&] {
        const bool written = run.empty() || out.writeAt(slotOffsetOfImage(imageSize, runStart),
                                                        run.data(), run.size());
        run.clear();
        return written;
    };
    for (const auto& [index, w] : slots) {
        const std::size_t size = w->stored.bytes.size();
        if (!run.empty() &&
            (size != imageSize ||
             index != runStart + static_cast<std::int64_t>(run.size() / size)) &&
            !flush())
            return false;
        if (run.empty()) {
            runStart = index;
            imageSize = size;
        }
        run += w->stored.bytes;
    }
    return flush() && fs.sync(out.handle()) == 0 && out.close();
}

bool applyAll(FileSystem& fs, const Journal& journal) {
    bool applied = true;
    for (const JournalFile& file : journal.files) {
        ScopedFile out(fs, file.path, OpenMode::ReadWrite);
        applied = applyToFile(fs, journal, out, file) && applied;
    }
    return applied;
}

// Empties the journal: what it held is in the files. Replaying it again after a power cut that
// lost the emptying would only write the same bytes once more, so the emptying is synced only
// where that would no longer hold (`durably`).
bool emptyJournal(FileSystem& fs, bool durably) {
    ScopedFile file(fs, kJournalFileName, OpenMode::ReadWrite);
    return file.isOpen() && fs.truncate(file.handle(), 0) == 0 &&
           (!durably || fs.sync(file.handle()) == 0) && file.close();
}

// The journal's bytes; empty when there is none or it is empty.
std::optional<std::string> journalBytes(FileSystem& fs) {
    if (!fs.exists(kJournalFileName))
        return std::string();
    return readWholeFile(fs, kJournalFileName);
}

}  // namespace

std::string encodeJournal(const Journal& journal) {
    const bool sized =
        std::any_of(journal.writes.begin(), journal.writes.end(),
                    [](const SlotWrite& w) { return w.stored.bytes.size() != kSlotSize; });
    std::string out(sized ? kSizedMagic : kMagic, sizeof kMagic);
    put<std::uint32_t>(out, static_cast<std::uint32_t>(journal.files.size()));
    for (const JournalFile& f : journal.files) {
        put<std::uint32_t>(out, static_cast<std::uint32_t>(f.path.size()));
        out += f.path;
        put<std::int64_t>(out, f.sizeBefore);
    }
    put<std::uint64_t>(out, journal.writes.size());
    for (const SlotWrite& w : journal.writes) {
        std::uint32_t file = 0;
        while (file < journal.files.size() && journal.files[file].path != w.path)
            ++file;
        put<std::uint32_t>(out, file);
        put<std::int64_t>(out, w.index);
        if (sized)
            put<std::uint32_t>(out, static_cast<std::uint32_t>(w.stored.bytes.size()));
        out += w.stored.bytes;
    }
    put<std::uint64_t>(out, checksum(out.data(), out.size()));
    return out;
}

std::optional<Journal> decodeJournal(const std::string& bytes) {
    constexpr std::size_t kSum = sizeof(std::uint64_t);
    if (bytes.size() < sizeof kMagic + kSum)
        return std::nullopt;
    const bool sized = std::memcmp(bytes.data(), kSizedMagic, sizeof kMagic) == 0;
    if (!sized && std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const std::size_t end = bytes.size() - kSum;
    if (loadLittleEndian<std::uint64_t>(reinterpret_cast<const unsigned char*>(
            bytes.data() + end)) != checksum(bytes.data(), end))
        return std::nullopt;
    Cursor in(bytes, end);
    const char* skipped;
    in.take(sizeof kMagic, skipped);
    Journal journal;
    std::uint32_t files = 0;
    if (!in.get(files))
        return std::nullopt;
    for (std::uint32_t i = 0; i < files; ++i) {
        std::uint32_t length = 0;
        const char* path = nullptr;
        JournalFile f;
        if (!in.get(length) || !in.take(length, path) || !in.get(f.sizeBefore))
            return std::nullopt;
        f.path.assign(path, length);
        journal.files.push_back(std::move(f));
    }
    std::uint64_t writes = 0;
    if (!in.get(writes))
        return std::nullopt;
    for (std::uint64_t i = 0; i < writes; ++i) {
        std::uint32_t file = 0;
        SlotWrite w;
        const char* slot = nullptr;
        std::uint32_t size = kSlotSize;
        if (!in.get(file) || file >= journal.files.size() || !in.get(w.index) || w.index < 0 ||
            w.index > std::numeric_limits<std::int32_t>::max() || (sized && !in.get(size)) ||
            (size != kSlotSize && size != kSealedSlotSize) || !in.take(size, slot))
            return std::nullopt;
        w.path = journal.files[file].path;
        w.stored.bytes.assign(slot, size);
        journal.writes.push_back(std::move(w));
    }
    if (!in.atEnd())
        return std::nullopt;
    return journal;
}

Commit commitJournal(FileSystem& fs, const Journal& journal) {
    if (journal.writes.empty())
        return Commit::Applied;
    if (recoverJournal(fs) == Recovery::Failed)
        return Commit::Failed;
    // Every file must take its writes before the journal promises them: one that cannot be
    // written, or that changed size since the writes were planned, stops the commit here.
    std::vector<ScopedFile> files;
    for (const JournalFile& file : journal.files) {
        files.emplace_back(fs, file.path, OpenMode::ReadWrite);
        if (!files.back().isOpen() || fs.size(files.back().handle()) != file.sizeBefore)
            return Commit::Failed;
    }
    // The journal is written in place and synced: one sync makes the command durable. A file
    // made new here needs its name synced as well.
    const bool existed = fs.exists(kJournalFileName);
    ScopedFile out(fs, kJournalFileName, OpenMode::ReadWriteNew);
    const std::string bytes = encodeJournal(journal);
    if (!out.isOpen() || fs.truncate(out.handle(), 0) != 0 ||
        !out.writeAt(0, bytes.data(), bytes.size())) {
        // Torn, it could never be taken for whole; emptied, it is not there at all.
        if (out.isOpen())
            fs.truncate(out.handle(), 0);
        return Commit::Failed;
    }
    if (fs.sync(out.handle()) != 0 ||
        (!existed && fs.syncDirectory(parentPath(kJournalFileName)) != 0)) {
        // Whether it reached the disk is unknown: it must not come back, or it must be finished.
        if (fs.truncate(out.handle(), 0) == 0)
            return Commit::Failed;
    }
    bool applied = true;
    for (std::size_t i = 0; i < files.size(); ++i)
        applied = applyToFile(fs, journal, files[i], journal.files[i]) && applied;
    out.close();
    if (!applied || !emptyJournal(fs, false))
        return Commit::Pending;
    return Commit::Applied;
}

Recovery recoverJournal(FileSystem& fs) {
    const std::optional<std::string> bytes = journalBytes(fs);
    if (!bytes)
        return Recovery::Failed;
    if (bytes->empty())
        return Recovery::Nothing;
    const std::optional<Journal> journal = decodeJournal(*bytes);
    if (journal && !applyAll(fs, *journal))
        return Recovery::Failed;
    // A torn journal is emptied for good, so it is never mistaken for another one.
    if (!emptyJournal(fs, !journal))
        return Recovery::Failed;
    return journal ? Recovery::Replayed : Recovery::Discarded;
}

int sealJournal(FileSystem& fs) {
    if (recoverJournal(fs) == Recovery::Failed)
        return -1;
    if (!fs.exists(kJournalFileName))
        return 0;
    return emptyJournal(fs, true) ? 0 : -1;
}

bool journalWaiting(FileSystem& fs) {
    const std::optional<std::string> bytes = journalBytes(fs);
    return !bytes || !bytes->empty();
}

bool overlayPendingJournal(FileSystem& fs, const std::string& path, const SlotCodec& codec,
                           std::vector<LedgerRecord>& slots) {
    const std::optional<std::string> bytes = journalBytes(fs);
    const std::optional<Journal> journal =
        bytes && !bytes->empty() ? decodeJournal(*bytes) : std::nullopt;
    if (!journal)
        return true;
    const std::string target = fs.resolveLink(path);
    for (const SlotWrite& w : journal->writes) {
        if (w.path != target || w.index > static_cast<std::int64_t>(slots.size()))
            continue;
        if (w.stored.bytes.size() != codec.imageSize())
            return false;
        const std::optional<LedgerRecord> slot =
            codec.decode(w.index, reinterpret_cast<const std::uint8_t*>(w.stored.bytes.data()));
        if (!slot)
            return false;
        if (w.index == static_cast<std::int64_t>(slots.size()))
            slots.push_back(*slot);
        else
            slots[static_cast<std::size_t>(w.index)] = *slot;
    }
    return true;
}

}  // namespace tallivan
