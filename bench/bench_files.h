// Writing the benchmarks' large files in one go, as the program would have left them.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/random.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"

namespace tallivan::bench {

// Writes the account file `path` (a system path) with `header`, given its keys here, and
// `slots`, scrambled for their places.
inline void writeWholeAccount(const std::string& path, AccountHeader header,
                              std::vector<LedgerRecord> slots) {
    FixedClock clock({2026, 12, 10}, 1800000000);
    LcgRandom random;
    makeHeaderKeys(header, clock, random);
    scrambleSlots(slots, 0, header.slotKey);
    const AccountHeader stored = encodeHeader(header, Password{});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&stored), sizeof stored);
    out.write(reinterpret_cast<const char*>(slots.data()),
              static_cast<std::streamsize>(slots.size() * sizeof(LedgerRecord)));
}

}  // namespace tallivan::bench
