#include "storage/account_compaction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "account_test_support.h"
#include "base/gbk.h"
#include "storage/account_scrambling.h"
#include "storage/closed_holding.h"
#include "storage_test_support.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using namespace testing;

const std::string kPath = "zrdata/zr_00001.acc";
// The generator seeded with these seconds draws 31820 and 346 after the thrown-away result.
constexpr std::int64_t kDueSecond = 6;
constexpr std::int64_t kNotDueSecond = 0;

struct Ledger {
    std::vector<LedgerRecord> slots;
    std::vector<LedgerRecord> live;  // the slots a compaction keeps, in order
};

// A held stock with its note, a transaction, a deleted transaction, a deleted stock whose note
// stays behind, a fund movement, a deleted fund movement and a slot of an unknown kind.
Ledger mixedLedger() {
    const LedgerRecord held = LedgerRecord::of(stock(kHeldState, "600001", 1000, 10000000));
    const LedgerRecord heldNote = LedgerRecord::of(note(kHeldState, gbk("长期持有")));
    const LedgerRecord buy = LedgerRecord::of(trade(kBuy, "600001", 1000, 10000, 81000));
    const LedgerRecord undone = deleted(LedgerRecord::of(trade(kSell, "600001", 500, 11000, 50)));
    const LedgerRecord gone = deleted(LedgerRecord::of(stock(kSoldState, "000002", 10, 100)));
    const LedgerRecord strayNote = LedgerRecord::of(note(kSoldState, "orphan"));
    const LedgerRecord deposit = LedgerRecord::of(fund(kDeposit, "in", 50000000, ""));
    const LedgerRecord withdrawn = deleted(LedgerRecord::of(fund(kWithdrawal, "out", -1, "")));
    LedgerRecord unknown;
    unknown.bytes.fill(0xE3);
    return {{held, heldNote, buy, undone, gone, strayNote, deposit, withdrawn, unknown},
            {held, heldNote, buy, strayNote, deposit, unknown}};
}

class AccountCompaction : public AccountTest {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(dir.file("zrdata"));
        writeAccount(fs, kPath, header, ledger.slots);
    }

    AccountContents read(FileSystem& files) { return readAccount(files, kPath, Password{}, true); }

    Ledger ledger = mixedLedger();
};

TEST(AccountCompactionChance, DrawnFromTheGeneratorSeededWithTheClock) {
    struct Case {
        std::int64_t seconds;
        bool due;
    };
    for (const Case& c : {Case{kDueSecond, true}, Case{kNotDueSecond, false}}) {
        FixedClock clock({2024, 1, 2}, c.seconds);
        LcgRandom random;
        EXPECT_EQ(compactionDue(clock, random), c.due) << c.seconds;
    }
    struct Scripted {
        int draw;
        bool due;
    };
    for (const Scripted& c :
         {Scripted{40, true}, Scripted{0, true}, Scripted{41, false}, Scripted{32767, false}}) {
        FixedClock clock({2024, 1, 2}, 99);
        ScriptedRandom random({c.draw});
        EXPECT_EQ(compactionDue(clock, random), c.due) << c.draw;
        EXPECT_EQ(random.seeds, std::vector<std::uint32_t>{99});
    }
}

TEST_F(AccountCompaction, SqueezesDeletedSlotsOutKeepingTheOrder) {
    const std::string before = dir.read(kPath);
    AccountContents contents = read(fs);
    ASSERT_EQ(compactFile(fs, kPath, contents), static_cast<int>(ledger.live.size()));
    EXPECT_EQ(contents.slots, ledger.live);

    const std::string after = dir.read(kPath);
    EXPECT_EQ(after.size(), kHeaderSize + kSlotSize * ledger.live.size());
    EXPECT_EQ(after.substr(0, kHeaderSize), before.substr(0, kHeaderSize));
    // The first three kept their indices and bytes; the stray note moved from 5 to 3 and was
    // encoded again for its new index.
    EXPECT_EQ(after.substr(kHeaderSize, 3 * kSlotSize), before.substr(kHeaderSize, 3 * kSlotSize));
    EXPECT_NE(after.substr(kHeaderSize + 3 * kSlotSize, kSlotSize),
              before.substr(kHeaderSize + 5 * kSlotSize, kSlotSize));
    EXPECT_EQ(read(fs).slots, ledger.live);
    EXPECT_FALSE(dir.existsStartingWith(kPath + ".tmp"));
}

TEST_F(AccountCompaction, ACutOffTailGoesToo) {
    dir.write(kPath, dir.read(kPath) + "tail");
    AccountContents contents = read(fs);
    ASSERT_TRUE(contents.partialTail);
    ASSERT_EQ(compactFile(fs, kPath, contents), static_cast<int>(ledger.live.size()));
    EXPECT_EQ(dir.read(kPath).size(), kHeaderSize + kSlotSize * ledger.live.size());
    EXPECT_FALSE(read(fs).partialTail);
}

TEST_F(AccountCompaction, NothingToSqueezeLeavesTheFileAlone) {
    std::filesystem::remove(dir.file(kPath));
    writeAccount(fs, kPath, header, ledger.live);
    const std::string before = dir.read(kPath);
    FaultyFileSystem watched(dir.path());
    watched.changesLeft = 0;  // any attempt to change a file would fail the compaction
    AccountContents contents = read(watched);
    EXPECT_EQ(compactFile(watched, kPath, contents), static_cast<int>(ledger.live.size()));
    EXPECT_EQ(dir.read(kPath), before);
}

TEST_F(AccountCompaction, OnlyAFileReadWholeAndUnchangedSinceIsCompacted) {
    struct Case {
        const char* what;
        std::function<void(AccountContents&, FaultyFileSystem&, TempDir&)> spoil;
    };
    const Case cases[] = {
        {"not writable", [](AccountContents&, FaultyFileSystem& f,
                            TempDir&) { f.refusedModes = {OpenMode::ReadWrite}; }},
        {"read stopped by an error",
         [](AccountContents& c, FaultyFileSystem&, TempDir&) { c.complete = false; }},
        {"a slot appended since",
         [](AccountContents&, FaultyFileSystem&, TempDir& d) {
             d.write(kPath, d.read(kPath) + std::string(kSlotSize, 'x'));
         }},
        {"a tail appended since", [](AccountContents&, FaultyFileSystem&,
                                     TempDir& d) { d.write(kPath, d.read(kPath) + "x"); }},
        {"wrong password", [](AccountContents& c, FaultyFileSystem&,
                              TempDir&) { c.status = AccountStatus::WrongPassword; }},
    };
    for (const Case& c : cases) {
        FaultyFileSystem faulty(dir.path());
        AccountContents contents = read(faulty);
        c.spoil(contents, faulty, dir);
        const std::string before = dir.read(kPath);
        const std::vector<LedgerRecord> slotsBefore = contents.slots;
        EXPECT_EQ(compactFile(faulty, kPath, contents), -1) << c.what;
        EXPECT_EQ(dir.read(kPath), before) << c.what;
        EXPECT_EQ(contents.slots, slotsBefore) << c.what;
        EXPECT_TRUE(faulty.openHandles.empty()) << c.what;
        dir.write(kPath, before.substr(0, kHeaderSize + kSlotSize * ledger.slots.size()));
    }
}

TEST_F(AccountCompaction, OpeningCompactsWhenDueAndThePasswordWasCheckedNow) {
    struct Case {
        bool unlocked;
        std::int64_t seconds;
        bool compacts;
    };
    const Case cases[] = {
        {false, kDueSecond, true},
        {false, kNotDueSecond, false},
        {true, kDueSecond, false},
    };
    const std::string original = dir.read(kPath);
    for (const Case& c : cases) {
        dir.write(kPath, original);
        FixedClock clock({2024, 1, 2}, c.seconds);
        LcgRandom random;
        const AccountContents opened =
            openAccount(fs, kPath, Password{}, c.unlocked, clock, random);
        ASSERT_EQ(opened.status, AccountStatus::Ok);
        EXPECT_EQ(opened.slots, c.compacts ? ledger.live : ledger.slots) << c.seconds;
        EXPECT_EQ(dir.read(kPath) == original, !c.compacts) << c.seconds;
        EXPECT_EQ(read(fs).slots, opened.slots) << "the slots returned are those of the file";
    }
}

TEST_F(AccountCompaction, OpeningWithAWrongPasswordNeverCompacts) {
    const std::string original = dir.read(kPath);
    FixedClock clock({2024, 1, 2}, kDueSecond);
    LcgRandom random;
    const AccountContents opened =
        openAccount(fs, kPath, passwordFromText("nope"), false, clock, random);
    EXPECT_EQ(opened.status, AccountStatus::WrongPassword);
    EXPECT_EQ(dir.read(kPath), original);
}

TEST_F(AccountCompaction, AReadErrorWhileOpeningNeverCompacts) {
    const std::string original = dir.read(kPath);
    FaultyFileSystem faulty(dir.path());
    faulty.bytesReadable = static_cast<std::int64_t>(kHeaderSize);  // the slots fail
    FixedClock clock({2024, 1, 2}, kDueSecond);
    LcgRandom random;
    const AccountContents opened = openAccount(faulty, kPath, Password{}, false, clock, random);
    EXPECT_EQ(opened.status, AccountStatus::Ok);
    EXPECT_FALSE(opened.complete);
    EXPECT_EQ(dir.read(kPath), original);
}

// The machine stops after n changes to files (the change it stops in is torn): whatever n, the
// account is afterwards exactly the old file or exactly the compacted one, and opens.
TEST_F(AccountCompaction, StoppedAnywhereLeavesTheOldOrTheNewFile) {
    const std::string original = dir.read(kPath);
    std::string compacted;
    {
        TempDir other;
        std::filesystem::create_directory(other.file("zrdata"));
        other.write(kPath, original);
        PosixFileSystem otherFs(other.path());
        AccountContents contents = read(otherFs);
        ASSERT_GT(compactFile(otherFs, kPath, contents), 0);
        compacted = other.read(kPath);
    }
    ASSERT_NE(compacted, original);

    bool finished = false;
    for (int n = 0; !finished; ++n) {
        ASSERT_LT(n, 100) << "compaction never finished";
        dir.write(kPath, original);
        FaultyFileSystem faulty(dir.path());
        AccountContents contents = read(faulty);
        faulty.changesLeft = n;
        finished = compactFile(faulty, kPath, contents) >= 0;

        const std::string now = dir.read(kPath);
        ASSERT_TRUE(now == original || now == compacted) << "after " << n << " changes";
        EXPECT_EQ(now == compacted, finished) << "after " << n << " changes";
        EXPECT_EQ(contents.slots, finished ? ledger.live : ledger.slots) << n;
        const AccountContents reopened = read(fs);
        ASSERT_EQ(reopened.status, AccountStatus::Ok) << n;
        EXPECT_EQ(reopened.slots, finished ? ledger.live : ledger.slots) << n;
        EXPECT_TRUE(faulty.openHandles.empty()) << n;
    }
    // A temporary file left by a stop is no account and does not hinder the next compaction.
    dir.write(kPath, original);
    dir.write(kPath + ".tmp", "left over");
    AccountContents contents = read(fs);
    EXPECT_GT(compactFile(fs, kPath, contents), 0);
    EXPECT_EQ(dir.read(kPath), compacted);
}

// The same for a password change: the header is never half old, half new.
TEST_F(AccountCompaction, HeaderRewriteStoppedAnywhereLeavesTheOldOrTheNewHeader) {
    const std::string original = dir.read(kPath);
    const Password newPassword = passwordFromText("abcdef");
    bool finished = false;
    for (int n = 0; !finished; ++n) {
        ASSERT_LT(n, 100) << "the header write never finished";
        dir.write(kPath, original);
        FaultyFileSystem faulty(dir.path());
        faulty.changesLeft = n;
        finished = writeHeader(faulty, kPath, header, newPassword) == 0;

        const AccountContents withOld = read(fs);
        const AccountContents withNew = readAccount(fs, kPath, newPassword, true);
        EXPECT_EQ(withOld.status == AccountStatus::Ok, !finished) << n;
        EXPECT_EQ(withNew.status == AccountStatus::Ok, finished) << n;
        EXPECT_EQ((finished ? withNew : withOld).slots, ledger.slots) << n;
    }
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

// A held position of `code` at `price`, deleted, followed by its deleted note, marked as closed
// by a sale when `marked`.
std::vector<LedgerRecord> deletedHolding(const char* code, std::int32_t price, bool marked) {
    StockRecord stock{};
    std::memcpy(stock.code, code, 6);
    stock.price = price;
    NoteRecord note{};
    if (marked)
        markClosedBySale(note);
    std::vector<LedgerRecord> pair = {LedgerRecord::of(stock), LedgerRecord::of(note)};
    for (LedgerRecord& r : pair)
        r.markDeleted();
    return pair;
}

TEST(ClosedHoldings, TheLastOneOfEachCodeIsKeptAndFound) {
    std::vector<LedgerRecord> slots;
    const auto add = [&](std::vector<LedgerRecord> more) {
        slots.insert(slots.end(), more.begin(), more.end());
    };
    add(deletedHolding("600001", 1000, true));   // 0, 1: an older closing of 600001
    add(deletedHolding("000858", 2000, true));   // 2, 3
    add(deletedHolding("600001", 3000, false));  // 4, 5: finished by an undo, not a sale
    add(deletedHolding("600001", 4000, true));   // 6, 7: the last closing of 600001
    EXPECT_EQ(slotsToKeep(slots),
              (std::vector<bool>{false, false, true, true, false, false, true, true}));
    const auto found = lastClosedHolding(slots, "600001");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->stock.price, 4000);
    EXPECT_EQ(found->noteSlot, 7);
    EXPECT_FALSE(lastClosedHolding(slots, "600002"));
}

}  // namespace
}  // namespace tallivan
