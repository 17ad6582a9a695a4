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

// A header as the account dialog fills it, with keys made at `seconds`.
inline AccountHeader newHeader(const std::string& title, std::int64_t seconds = 1700000000) {
    AccountHeader h;
    copyToField(h.title, sizeof h.title, title);
    h.year = 2024;
    h.month = 3;
    h.day = 15;
    h.stopLossRatio = -5;
    h.stopLossLimit = -300;
    h.takeProfitRatio = 5;
    h.takeProfitLimit = 300;
    copyToField(h.memo, sizeof h.memo, gbk("长线"));
    FixedClock clock({2024, 3, 15}, seconds);
    LcgRandom random;
    makeHeaderKeys(h, clock, random);
    return h;
}

// `record` dated `year`-`month`-`day`.
template <class Record>
Record dated(Record record, std::uint16_t year, std::uint8_t month, std::uint8_t day) {
    record.year = year;
    record.month = month;
    record.day = day;
    return record;
}

inline TradeRecord trade(int type, const char* code, std::int32_t shares, std::int32_t price,
                         std::int32_t fee, std::int64_t costBasis = 0) {
    TradeRecord t;
    t.kindState = kindStateOf(SlotKind::Trade, type);
    copyToField(t.code, sizeof t.code, code);
    t.shares = shares;
    t.price = price;
    t.fee = fee;
    t.costBasis = costBasis;
    t.reserved = -1000000;
    return dated(t, 2024, 4, 1);
}

inline FundRecord fund(int type, const std::string& title, std::int32_t amount,
                       const std::string& memo) {
    FundRecord f;
    f.kindState = kindStateOf(SlotKind::Fund, type);
    copyToField(f.title, sizeof f.title, title);
    f.amount = amount;
    copyToField(f.memo, sizeof f.memo, memo);
    return dated(f, 2023, 12, 31);
}

inline StockRecord stock(int state, const char* code, std::int32_t shares, std::int64_t cost) {
    StockRecord s;
    s.kindState = kindStateOf(SlotKind::Stock, state);
    copyToField(s.code, sizeof s.code, code);
    s.shares = shares;
    s.cost = cost;
    s.price = 10500;
    s.takeProfitPrice = 11000;
    s.stopLossPrice = 9500;
    return dated(s, 2024, 2, 29);
}

inline NoteRecord note(int state, const std::string& memo) {
    NoteRecord n;
    n.kindState = kindStateOf(SlotKind::Note, state);
    copyToField(n.memo, sizeof n.memo, memo);
    return n;
}

inline LedgerRecord deleted(LedgerRecord r) {
    r.markDeleted();
    return r;
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
