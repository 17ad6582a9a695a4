// Accounts and slots the account tests build in their temporary folders, and the fixture
// that gives a test such a folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/gbk.h"
#include "base/random.h"
#include "storage/account_file.h"
#include "storage/account_records.h"
#include "storage/account_scrambling.h"
#include "storage/file_io.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace tallivan::testing {

// The little-endian integer of `size` bytes at `offset`, sign-extended.
inline std::int64_t signedAt(const std::string& bytes, std::size_t offset, std::size_t size) {
    std::uint64_t v = 0;
    for (std::size_t i = size; i-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    if (size < 8 && (v >> (8 * size - 1)) != 0)
        v |= ~std::uint64_t{0} << (8 * size);
    return static_cast<std::int64_t>(v);
}

inline std::string bytesOf(const LedgerRecord& r) {
    return std::string(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
}

inline std::string bytesOf(const AccountHeader& h) {
    return std::string(reinterpret_cast<const char*>(&h), sizeof h);
}

// Creates the account at `path` and appends `slots` in order.
inline void writeAccount(FileSystem& fs, const std::string& path, const AccountHeader& header,
                         const std::vector<LedgerRecord>& slots) {
    ASSERT_EQ(createAccountFile(fs, path, header), 0);
    for (std::size_t i = 0; i < slots.size(); ++i)
        ASSERT_EQ(writeSlot(fs, path, header.slotKey, -1, slots[i]), static_cast<int>(i));
}

// A fresh data directory over real files, and the header of a new account to keep in it.
class AccountTest : public ::testing::Test {
  protected:
    TempDir dir;
    PosixFileSystem fs{dir.path()};
    AccountHeader header = newHeader(gbk("帐户一"));
};

}  // namespace tallivan::testing
