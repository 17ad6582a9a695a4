// One account file: the header, then slot i at byte 132 + 40 * i. Every operation opens the
// file for its own duration and works on the plain (decoded) records; scrambling happens on
// copies. Paths may be of any length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/random.h"
#include "storage/account_records.h"
#include "storage/file_io.h"
#include "storage/slot_codec.h"

namespace tallivan {

// "zr_00001.acc" for n = 1.
std::string accountFileName(int n);

// The first "<directory>/zr_NNNNN.acc", n = 1, 2, 3 ..., that does not exist yet.
std::string newAccountPath(FileSystem& fs, const std::string& directory);

// Creates the file of a new account: its header alone, encoded with the empty password. The
// header must carry its keys (makeHeaderKeys). Refuses to replace an existing file. The file
// appears whole or not at all. Returns 0 or -1.
int createAccountFile(FileSystem& fs, const std::string& path, const AccountHeader& decoded);

// The first 132 bytes as stored: the magic, title and date are readable without the password.
// Nothing when the file cannot be opened in `mode` or is shorter than a header.
std::optional<AccountHeader> readStoredHeader(FileSystem& fs, const std::string& path,
                                              OpenMode mode = OpenMode::Read);

// Rewrites the header of an existing, writable file, encoded with `password`; the slots stay as
// they are. The file is replaced whole (temporary file, sync, rename), so that a crash can never
// leave a torn header, which would make every slot unreadable. Returns 0 or -1.
// A sealed account's header is sealed with `sealed` instead.
int writeHeader(FileSystem& fs, const std::string& path, const AccountHeader& decoded,
                const Password& password, const std::shared_ptr<const SealedKey>& sealed = {});

// Writes `record` (plain) into slot `index`, scrambled for that index; an index below 0 appends
// after the last whole slot (over a cut-off tail). Returns the index written, or -1 when the
// file is missing, not an account (shorter than a header), the index lies beyond the end (that
// would leave a gap of garbage slots), or the write fails.
int writeSlot(FileSystem& fs, const std::string& path, const SlotKey& key, int index,
              const LedgerRecord& record);

enum class AccountStatus {
    Ok,
    CannotOpen,     // missing, not a file, or unreadable
    TooShort,       // shorter than a header, or the header cannot be read
    WrongPassword,  // the header does not show the check pattern
    Damaged,        // a sealed account whose header or a slot does not open: changed or moved
};

struct AccountContents {
    AccountStatus status = AccountStatus::CannotOpen;
    AccountHeader header{};           // decoded
    std::vector<LedgerRecord> slots;  // decoded; slots[i] is slot i
    // False when a read error stopped the slots early: the file holds more than was read.
    bool complete = false;
    // The file ends inside a slot (ignored by readers, dropped by a compaction).
    bool partialTail = false;
    // The opening compacted the file: slots after a deleted one moved.
    bool compacted = false;
    // The key of a sealed account; none for the scrambled format.
    std::shared_ptr<const SealedKey> sealed;

    SlotCodec codec() const { return sealed ? SlotCodec(sealed) : SlotCodec(header.slotKey); }
};

// Reads the header and every whole slot. With `verifyPassword` the header must show the check
// pattern, else WrongPassword and nothing is read; without it the header is decoded as it comes
// (for an account whose password was confirmed before).
// With `sealed` the file must be a sealed account of that key: every image is opened, and
// one that does not open makes it Damaged, with nothing read.
AccountContents readAccount(FileSystem& fs, const std::string& path, const Password& password,
                            bool verifyPassword,
                            const std::shared_ptr<const SealedKey>& sealed = {});

// Opening an account: read it as above; when the password was checked just now (the account
// was not `unlocked` yet) the file is compacted on about one opening in twenty (compactionDue),
// and the slots returned are those of the compacted file.
AccountContents openAccount(FileSystem& fs, const std::string& path, const Password& password,
                            bool unlocked, const Clock& clock, Random& random,
                            const std::shared_ptr<const SealedKey>& sealed = {});

// Whether the file is a sealed account (its preamble, when it is one).
std::optional<std::array<std::uint8_t, kSealPreambleSize>> readSealPreamble(
    FileSystem& fs, const std::string& path);

// The bytes of a whole account file: the header (encoded with `password`, or sealed when the
// codec seals) and `slots` encoded for their indices. Empty when memory runs out.
std::string accountFileBytes(const AccountHeader& decoded, const Password& password,
                             const SlotCodec& codec, const std::vector<LedgerRecord>& slots);

// Rewrites an account file whole in the given format (sealing, unsealing, a new passphrase)
// through the durable replace, after any journal waiting was applied. 0 or -1.
int rewriteAccountFile(FileSystem& fs, const std::string& path, const AccountHeader& decoded,
                       const Password& password, const SlotCodec& codec,
                       const std::vector<LedgerRecord>& slots);

}  // namespace tallivan
