// Squeezing deleted slots out of an account file. Deleting only marks a slot, so that the
// indices of all other slots stay valid while the account is open; the space comes back when
// the file is compacted at a later opening.
#pragma once

#include <string>

#include "base/clock.h"
#include "base/random.h"
#include "storage/account_file.h"
#include "storage/file_io.h"

namespace tallivan {

// Seeds the generator with the clock and draws once: due when the result is divisible by 20,
// so about one opening in twenty compacts.
bool compactionDue(const Clock& clock, Random& random);

// Drops the deleted slots and a cut-off tail from the file whose `contents` were just read
// whole, keeping the live slots in order (a note stays behind its stock) and re-encoding each
// for its new index. The compacted file is written beside the old one, synced and renamed over
// it, so a crash leaves the old or the new file, never a mix. Returns the new slot count, with
// `contents.slots` now those of the compacted file; or -1, with the file and `contents` as they
// were (also when the contents are incomplete or the file is not writable).
int compactFile(FileSystem& fs, const std::string& path, AccountContents& contents);

}  // namespace tallivan
