// Slot writes that belong together — one command's transaction, positions and memos, in one or
// several account files — are applied all together or not at all. They go first into the
// journal file of the data directory, synced; then into the account files, synced; then the
// journal is emptied. A journal found whole later (the program was killed or the power failed in
// between) is applied again, which gives each slot the same bytes a second time; a journal that
// is not whole was never started on the accounts and is discarded. The account files keep their
// format: a file never touched by a journal opens as it always did.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/account_records.h"
#include "storage/file_io.h"
#include "storage/slot_codec.h"

namespace tallivan {

inline const char* const kJournalFileName = "zrstk.jnl";

// One slot's bytes as they go to the file, already encoded for its index: 40 scrambled bytes,
// or the image of a sealed slot (whose size tells where its slots lie).
struct SlotImage {
    std::string bytes;

    // Implicit, so a slot's scrambled bytes or an encoded image stand for it where one is wanted.
    SlotImage() = default;
    SlotImage(const std::array<std::uint8_t, kSlotSize>& scrambled)
        : bytes(reinterpret_cast<const char*>(scrambled.data()), kSlotSize) {}
    SlotImage(std::string image) : bytes(std::move(image)) {}
    friend bool operator==(const SlotImage&, const SlotImage&) = default;
};

struct SlotWrite {
    std::string path;  // the account file, links resolved
    std::int64_t index = 0;
    SlotImage stored;
};

// The file and the size it had when the writes were planned: a write lands only on the file
// it was planned for.
struct JournalFile {
    std::string path;
    std::int64_t sizeBefore = 0;
};

struct Journal {
    std::vector<JournalFile> files;
    std::vector<SlotWrite> writes;
};

// The journal's bytes, with the checksum that tells a whole journal from a torn one.
std::string encodeJournal(const Journal& journal);
// Nothing when the bytes are not a whole journal.
std::optional<Journal> decodeJournal(const std::string& bytes);

enum class Commit {
    Failed,   // nothing changed: a file could not be opened for writing, was not the size the
              // writes were planned for, or the journal could not be made whole
    Applied,  // every write is in its file
    Pending,  // the journal is whole but the files could not all be written: the next
              // recovery finishes the writes, and readers see them meanwhile
};

// Applies the writes as one, as described above. A journal still waiting from before is
// applied first; while it cannot be, nothing new is written.
Commit commitJournal(FileSystem& fs, const Journal& journal);

enum class Recovery { Nothing, Replayed, Discarded, Failed };

// Looks for a journal left behind and applies or discards it (only under the data lock).
Recovery recoverJournal(FileSystem& fs);

// Applies a journal still waiting and makes sure none can come back: before anything changes
// account files outside the journal (a compaction moves slots, a file is made or removed), an
// old journal replayed later would write to the wrong place. 0 or -1.
int sealJournal(FileSystem& fs);

// Whether a journal waits to be applied (or cannot be read to tell).
bool journalWaiting(FileSystem& fs);

// The slots of the account file `path` as a journal waiting to be applied would leave them:
// `slots` (decoded) receive the journal's writes for that file, decoded with `codec`. A reader
// never sees a command half-applied, even while its journal cannot be applied. False when a
// write for the file does not decode (a sealed image changed).
bool overlayPendingJournal(FileSystem& fs, const std::string& path, const SlotCodec& codec,
                           std::vector<LedgerRecord>& slots);

}  // namespace tallivan
