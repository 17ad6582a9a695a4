#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "account_test_support.h"
#include "base/gbk.h"
#include "base/random.h"
#include "storage/account_records.h"
#include "storage/account_scrambling.h"
#include "storage_test_support.h"

namespace tallivan {
namespace {

using testing::bytesOf;
using testing::dated;
using testing::fund;
using testing::newHeader;
using testing::note;
using testing::ScriptedRandom;
using testing::signedAt;
using testing::stock;
using testing::StoppedClock;
using testing::trade;

struct FieldAt {
    const char* what;
    std::string bytes;  // the whole record as it lies in the file (before scrambling)
    std::size_t offset;
    std::size_t size;
    std::int64_t value;
};

std::vector<FieldAt> fieldsOfEveryRecord() {
    TradeRecord t = dated(trade(kSell, "600001", 1200, 10250, 81000, -123456789012), 2024, 12, 31);
    t.reserved = -1000001;
    const std::string tb = bytesOf(LedgerRecord::of(t));

    const FundRecord f = dated(fund(kAdjustment, gbk("工资"), -500000, "salary"), 1999, 1, 2);
    const std::string fb = bytesOf(LedgerRecord::of(f));

    StockRecord held = dated(stock(kHeldState, "000002", 300, 4000000000), 2001, 3, 5);
    held.price = 12340;
    held.takeProfitPrice = 14000;
    held.stopLossPrice = 11000;
    const std::string hb = bytesOf(LedgerRecord::of(held));

    StockRecord sold = held;
    sold.kindState = 0x20;
    sold.proceeds = 5000000001;
    const std::string sb = bytesOf(LedgerRecord::of(sold));

    const std::string nb = bytesOf(LedgerRecord::of(note(kSoldState, "note")));

    return {
        {"trade kindState", tb, 0, 1, 0x00},
        {"trade code", tb, 1, 4, 0x30303036},    // "6000"
        {"trade code end", tb, 5, 3, 0x003130},  // "01" and its NUL
        {"trade shares", tb, 8, 4, 1200},
        {"trade costBasis", tb, 12, 8, -123456789012},
        {"trade price", tb, 20, 4, 10250},
        {"trade fee", tb, 24, 4, 81000},
        {"trade reserved", tb, 28, 8, -1000001},
        {"trade year", tb, 36, 2, 2024},
        {"trade month", tb, 38, 1, 12},
        {"trade day", tb, 39, 1, 31},
        {"fund kindState", fb, 0, 1, 0x12},
        {"fund title", fb, 1, 4, signedAt(gbk("工资"), 0, 4)},
        {"fund title end", fb, 5, 1, 0},
        {"fund amount", fb, 8, 4, -500000},
        {"fund memo", fb, 12, 4, 0x616C6173},    // "sala"
        {"fund memo end", fb, 16, 3, 0x007972},  // "ry" and its NUL
        {"fund year", fb, 36, 2, 1999},
        {"fund month", fb, 38, 1, 1},
        {"fund day", fb, 39, 1, 2},
        {"held kindState", hb, 0, 1, 0x21},
        {"held shares", hb, 8, 4, 300},
        {"held cost", hb, 12, 8, 4000000000},
        {"held price", hb, 20, 4, 12340},
        {"held takeProfitPrice", hb, 24, 4, 14000},
        {"held stopLossPrice", hb, 28, 8, 11000},
        {"held year", hb, 36, 2, 2001},
        {"held month", hb, 38, 1, 3},
        {"held day", hb, 39, 1, 5},
        {"sold kindState", sb, 0, 1, 0x20},
        {"sold proceeds", sb, 28, 8, 5000000001},
        {"note kindState", nb, 0, 1, 0x40},
        {"note memo", nb, 1, 5, 0x0065746F6E},  // "note" and its NUL
    };
}

TEST(AccountRecords, EveryFieldLiesAtItsOffsetLittleEndian) {
    for (const FieldAt& f : fieldsOfEveryRecord()) {
        ASSERT_EQ(f.bytes.size(), kSlotSize) << f.what;
        EXPECT_EQ(signedAt(f.bytes, f.offset, f.size), f.value) << f.what;
    }
}

TEST(AccountRecords, HeaderFieldsLieAtTheirOffsets) {
    AccountHeader h;
    h.magic = kAccountMagic;
    copyToField(h.title, sizeof h.title, gbk("我的帐户"));
    h.year = 2024;
    h.month = 7;
    h.day = 9;
    h.headerKey = {33, 34, 35, 36, 37, 38, 39, 40};
    h.checkPattern = kCheckPattern;
    h.stopLossRatio = -5;
    h.takeProfitLimit = 300;
    copyToField(h.memo, sizeof h.memo, "memo");
    h.slotKey[0] = 200;
    h.slotKey[31] = 219;
    const std::string b = bytesOf(h);
    ASSERT_EQ(b.size(), kHeaderSize);
    EXPECT_EQ(b.substr(0, 4), "ZR\x90\xEB");
    EXPECT_EQ(fieldText(b.data() + 4, 11), gbk("我的帐户"));
    EXPECT_EQ(signedAt(b, 15, 2), 2024);
    EXPECT_EQ(signedAt(b, 17, 1), 7);
    EXPECT_EQ(signedAt(b, 18, 1), 9);
    EXPECT_EQ(signedAt(b, 20, 1), 33);
    EXPECT_EQ(signedAt(b, 27, 1), 40);
    EXPECT_EQ(b.substr(28, 8), "\xEB\x90QTKZR\n");
    double ratio;
    std::memcpy(&ratio, b.data() + 36, 8);
    EXPECT_EQ(ratio, -5.0);
    double limit;
    std::memcpy(&limit, b.data() + 60, 8);
    EXPECT_EQ(limit, 300.0);
    EXPECT_EQ(fieldText(b.data() + 68, 31), "memo");
    EXPECT_EQ(static_cast<std::uint8_t>(b[100]), 200);
    EXPECT_EQ(static_cast<std::uint8_t>(b[131]), 219);
}

TEST(AccountRecords, FieldsBehaveLikeTheNumbersTheyHold) {
    StockRecord s = stock(kHeldState, "600001", 1000, 10000000);
    s.cost += 2500;
    s.shares -= 100;
    const auto& lower = std::min(s.price, s.takeProfitPrice);  // a reference to a field
    EXPECT_EQ(s.cost, 10002500);
    EXPECT_EQ(s.shares, 900);
    EXPECT_EQ(lower, 10500);
    EXPECT_EQ(std::int64_t{s.price} * s.shares, 9450000);
    const std::string b = bytesOf(LedgerRecord::of(s));
    EXPECT_EQ(signedAt(b, 12, 8), 10002500);
    EXPECT_EQ(signedAt(b, 8, 4), 900);
}

TEST(AccountRecords, KindAndStateShareTheFirstByte) {
    struct Case {
        std::uint8_t kindState;
        SlotKind kind;
        int state;
        std::uint8_t whenDeleted;
    };
    const Case cases[] = {
        {0x01, SlotKind::Trade, kBuy, 0xF1},       {0x07, SlotKind::Trade, 7, 0xF7},
        {0x00, SlotKind::Trade, kSell, 0xF0},      {0x12, SlotKind::Fund, kAdjustment, 0xF2},
        {0x21, SlotKind::Stock, kHeldState, 0xF1}, {0x20, SlotKind::Stock, kSoldState, 0xF0},
        {0x41, SlotKind::Note, kHeldState, 0xF1},  {0xF1, SlotKind::Deleted, 1, 0xF1},
        {0x35, static_cast<SlotKind>(3), 5, 0xF5},
    };
    for (const Case& c : cases) {
        LedgerRecord r;
        r.bytes[0] = c.kindState;
        r.bytes[39] = 0x5A;
        EXPECT_EQ(r.kind(), c.kind) << int(c.kindState);
        EXPECT_EQ(r.state(), c.state) << int(c.kindState);
        EXPECT_EQ(kindStateOf(c.kind, c.state), c.kindState);
        r.markDeleted();
        EXPECT_EQ(r.kindState(), c.whenDeleted) << int(c.kindState);
        EXPECT_TRUE(r.isDeleted());
        EXPECT_EQ(r.bytes[39], 0x5A) << "a deleted slot keeps its bytes";
    }
}

TEST(AccountRecords, PasswordIsItsTextPaddedToEightBytes) {
    struct Case {
        const char* text;
        Password expected;
    };
    const Case cases[] = {
        {"", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"abc", {'a', 'b', 'c', 0, 0, 0, 0, 0}},
        {"12345678", {'1', '2', '3', '4', '5', '6', '7', '8'}},
        {"123456789", {'1', '2', '3', '4', '5', '6', '7', '8'}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(passwordFromText(c.text), c.expected) << c.text;
}

SlotKey countingKey() {
    SlotKey key;
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = static_cast<std::uint8_t>(0xA0 + i);
    return key;
}

TEST(AccountScrambling, EachSlotIndexUsesOneFourByteGroupOfTheKey) {
    const SlotKey key = countingKey();
    struct Case {
        std::int64_t index;
        std::size_t firstKeyByte;
    };
    const Case cases[] = {{0, 0}, {1, 4}, {7, 28}, {8, 0}, {15, 28}, {100003, 12}};
    for (const Case& c : cases) {
        LedgerRecord r;  // all zero: scrambling shows the key bytes themselves
        scrambleSlot(r, c.index, key);
        for (std::size_t j = 0; j < kSlotSize; ++j)
            ASSERT_EQ(r.bytes[j], key[c.firstKeyByte + j % 4]) << c.index << " byte " << j;
    }
}

TEST(AccountScrambling, ScramblingTwiceGivesTheSlotBack) {
    const SlotKey key = countingKey();
    const LedgerRecord plain = LedgerRecord::of(trade(kBuy, "600001", 1000, 10000, 81));
    for (std::int64_t index : {0, 3, 9}) {
        LedgerRecord r = plain;
        scrambleSlot(r, index, key);
        EXPECT_NE(r, plain);
        scrambleSlot(r, index, key);
        EXPECT_EQ(r, plain);
    }
}

TEST(AccountScrambling, ManySlotsAtOnceMatchOneByOne) {
    const SlotKey key = countingKey();
    std::vector<LedgerRecord> bulk(21);
    for (std::size_t i = 0; i < bulk.size(); ++i)
        bulk[i].bytes.fill(static_cast<std::uint8_t>(i * 7));
    std::vector<LedgerRecord> single = bulk;
    scrambleSlots(bulk, 5, key);
    for (std::size_t i = 0; i < single.size(); ++i) {
        scrambleSlot(single[i], 5 + static_cast<std::int64_t>(i), key);
        EXPECT_EQ(bulk[i], single[i]) << i;
    }
}

TEST(AccountScrambling, EmptyPasswordStoresThePlainHeaderKey) {
    const AccountHeader plain = newHeader("a");
    const AccountHeader stored = encodeHeader(plain, Password{});
    EXPECT_EQ(stored.headerKey, plain.headerKey);
    EXPECT_EQ(bytesOf(stored).substr(0, 20), bytesOf(plain).substr(0, 20))
        << "magic, title and date stay readable";
    EXPECT_NE(stored.checkPattern, kCheckPattern);
    EXPECT_EQ(bytesOf(decodeHeader(stored, Password{})), bytesOf(plain));
}

TEST(AccountScrambling, WithAPasswordTheOrderOfTheStepsMatters) {
    const AccountHeader plain = newHeader(gbk("股票"));
    const Password password = passwordFromText("secret12");
    const AccountHeader stored = encodeHeader(plain, password);

    AccountHeader byHand = plain;
    scrambleHeader(byHand);
    applyPassword(byHand, password);
    EXPECT_EQ(bytesOf(byHand), bytesOf(stored));

    AccountHeader wrongOrder = stored;
    scrambleHeader(wrongOrder);
    applyPassword(wrongOrder, password);
    EXPECT_NE(bytesOf(wrongOrder), bytesOf(plain));
    EXPECT_FALSE(hasCheckPattern(wrongOrder));

    EXPECT_EQ(bytesOf(decodeHeader(stored, password)), bytesOf(plain));
}

TEST(AccountScrambling, OnlyTheRightPasswordShowsTheCheckPattern) {
    struct Case {
        const char* set;
        const char* tried;
        bool fits;
    };
    const Case cases[] = {
        {"", "", true},
        {"", "x", false},
        {"abcdef", "abcdef", true},
        {"abcdef", "ABCDEF", false},
        {"abcdef", "", false},
        {"12345678", "12345678", true},
        {"12345678", "1234567", false},
        {"1234567", "12345678", false},
    };
    const AccountHeader plain = newHeader("p");
    for (const Case& c : cases) {
        const AccountHeader stored = encodeHeader(plain, passwordFromText(c.set));
        const AccountHeader decoded = decodeHeader(stored, passwordFromText(c.tried));
        EXPECT_EQ(hasCheckPattern(decoded), c.fits) << c.set << " / " << c.tried;
    }
}

TEST(AccountKeys, GeneratorFollowsTheBorlandSequence) {
    LcgRandom random;
    random.seed(1);  // draws 346 and throws it away
    for (int expected : {130, 10982, 1090, 11656, 7117})
        EXPECT_EQ(random.next(), expected);
    random.seed(0);
    EXPECT_EQ(random.next(), 346);
}

TEST(AccountKeys, KeysFromAFixedClock) {
    AccountHeader h;
    copyToField(h.title, sizeof h.title, "title");
    FixedClock clock({2024, 1, 2}, 1700000000);  // each pause advances one second
    LcgRandom random;
    makeHeaderKeys(h, clock, random);
    EXPECT_EQ(h.magic, kAccountMagic);
    EXPECT_EQ(h.checkPattern, kCheckPattern);
    EXPECT_EQ(h.headerKey, (HeaderKey{101, 41, 85, 54, 173, 81, 114, 164}));
    EXPECT_EQ(h.slotKey, (SlotKey{106, 113, 81,  60,  34,  219, 154, 210, 121, 71,  79,
                                  219, 59,  98,  205, 205, 37,  184, 128, 175, 102, 71,
                                  122, 181, 158, 218, 202, 144, 129, 98,  134, 72}));
    EXPECT_EQ(fieldText(h.title, sizeof h.title), "title");
}

TEST(AccountKeys, ResultsUpToThirtyTwoAfterModulo220AreDrawnAgain) {
    // 32 and 252 give 32, 220 gives 0: skipped. 253 gives 33, 439 gives 219.
    std::vector<int> results = {32, 252, 33, 220, 219, 439, 0, 253, 100, 150, 77};
    for (int i = 0; i <= 32; ++i)
        results.push_back(40 + i);
    ScriptedRandom random(results);
    StoppedClock clock(77);
    AccountHeader h;
    makeHeaderKeys(h, clock, random);
    EXPECT_EQ(h.headerKey, (HeaderKey{33, 219, 219, 33, 100, 150, 77, 40}));
    EXPECT_EQ(h.slotKey[0], 41);
    EXPECT_EQ(h.slotKey[31], 72);
    EXPECT_EQ(random.seeds, (std::vector<std::uint32_t>{77, 77}));
    EXPECT_EQ(clock.pauses, 1);
}

TEST(AccountKeys, WithinOneSecondTheSlotKeyBeginsWithTheHeaderKey) {
    StoppedClock clock(1234567);
    LcgRandom random;
    AccountHeader h;
    makeHeaderKeys(h, clock, random);
    EXPECT_TRUE(std::equal(h.headerKey.begin(), h.headerKey.end(), h.slotKey.begin()));
    for (std::uint8_t b : h.slotKey) {
        EXPECT_GE(b, 33);
        EXPECT_LE(b, 219);
    }
}

}  // namespace
}  // namespace tallivan
