#include "storage/account_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "account_test_support.h"
#include "base/gbk.h"
#include "storage/account_scrambling.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using namespace testing;

const std::string kPath = "zr_00001.acc";

// One slot of every kind and state the ledger writes, a deleted one and one of an unknown kind.
std::vector<LedgerRecord> slotOfEveryKind() {
    std::vector<LedgerRecord> slots;
    for (int type = kSell; type <= kSubscriptionNotWon; ++type)
        slots.push_back(LedgerRecord::of(trade(type, "600001", 100 * type, 10250, 81000, -7)));
    for (int type = kDeposit; type <= kAdjustment; ++type)
        slots.push_back(
            LedgerRecord::of(fund(type, gbk("工资"), -1000 * type, gbk("备注十四字节"))));
    slots.push_back(LedgerRecord::of(stock(kHeldState, "000001", 500, 5123456)));
    slots.push_back(LedgerRecord::of(note(kHeldState, gbk("三十字节的备注三十字节的备注三"))));
    StockRecord sold = stock(kSoldState, "000002", 800, 9000000);
    sold.proceeds = 9500000;
    slots.push_back(LedgerRecord::of(sold));
    slots.push_back(LedgerRecord::of(note(kSoldState, "")));
    slots.push_back(deleted(LedgerRecord::of(stock(kHeldState, "600002", 1, 1))));
    LedgerRecord unknown;
    unknown.bytes.fill(0x37);
    slots.push_back(unknown);
    return slots;
}

using AccountFile = AccountTest;

TEST_F(AccountFile, NewAccountIsAHeaderAloneAndOpensEmpty) {
    ASSERT_EQ(createAccountFile(fs, kPath, header), 0);
    EXPECT_EQ(dir.read(kPath).size(), kHeaderSize);
    EXPECT_FALSE(dir.existsStartingWith(kPath + ".tmp"));

    const AccountContents opened = readAccount(fs, kPath, Password{}, true);
    ASSERT_EQ(opened.status, AccountStatus::Ok);
    EXPECT_EQ(bytesOf(opened.header), bytesOf(header));
    EXPECT_TRUE(opened.slots.empty());
    EXPECT_TRUE(opened.complete);

    const std::optional<AccountHeader> stored = readStoredHeader(fs, kPath);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(hasAccountMagic(*stored));
    EXPECT_EQ(fieldText(stored->title, sizeof stored->title), gbk("帐户一"));
    EXPECT_EQ(stored->year, 2024);
}

TEST_F(AccountFile, CreatingNeverReplacesAnExistingFile) {
    ASSERT_EQ(createAccountFile(fs, kPath, header), 0);
    ASSERT_EQ(writeSlot(fs, kPath, header.slotKey, -1, LedgerRecord::of(fund(0, "a", 1, ""))), 0);
    const std::string before = dir.read(kPath);
    EXPECT_EQ(createAccountFile(fs, kPath, newHeader("other")), -1);
    EXPECT_EQ(dir.read(kPath), before);
}

TEST_F(AccountFile, NewAccountTakesTheFirstFreeNumber) {
    std::filesystem::create_directory(dir.file("g"));
    dir.write("g/zr_00001.acc", "x");
    dir.write("g/zr_00003.acc", "x");
    EXPECT_EQ(newAccountPath(fs, "g"), "g/zr_00002.acc");
    dir.write("g/zr_00002.acc", "x");
    EXPECT_EQ(newAccountPath(fs, "g"), "g/zr_00004.acc");
    EXPECT_EQ(accountFileName(123456), "zr_123456.acc");
}

TEST_F(AccountFile, EverySlotKindComesBackAsWritten) {
    const std::vector<LedgerRecord> slots = slotOfEveryKind();
    writeAccount(fs, kPath, header, slots);
    const std::string file = dir.read(kPath);
    ASSERT_EQ(file.size(), kHeaderSize + slots.size() * kSlotSize);

    const AccountContents opened = readAccount(fs, kPath, Password{}, true);
    ASSERT_EQ(opened.status, AccountStatus::Ok);
    ASSERT_EQ(opened.slots.size(), slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(opened.slots[i], slots[i]) << "slot " << i;
        // On disk each byte is XOR-ed with the key group of the slot's index.
        const std::string stored = file.substr(kHeaderSize + i * kSlotSize, kSlotSize);
        for (std::size_t j = 0; j < kSlotSize; ++j) {
            ASSERT_EQ(static_cast<std::uint8_t>(stored[j]) ^ header.slotKey[4 * (i % 8) + j % 4],
                      slots[i].bytes[j])
                << "slot " << i << " byte " << j;
        }
    }
    const StockRecord sold = opened.slots[13].as<StockRecord>();
    EXPECT_FALSE(sold.held());
    EXPECT_EQ(sold.proceeds, 9500000);
    EXPECT_EQ(fieldText(opened.slots[12].as<NoteRecord>().memo, 31),
              gbk("三十字节的备注三十字节的备注三"));
    EXPECT_EQ(opened.slots[9].as<FundRecord>().type(), kWithdrawal);
    EXPECT_EQ(opened.slots[9].as<FundRecord>().amount, -1000);
}

TEST_F(AccountFile, RewritingASlotLeavesEveryOtherByte) {
    const std::vector<LedgerRecord> slots = slotOfEveryKind();
    writeAccount(fs, kPath, header, slots);
    const std::string before = dir.read(kPath);

    TradeRecord changed = slots[1].as<TradeRecord>();
    changed.shares = 4321;
    LedgerRecord deletedFund = deleted(slots[9]);
    EXPECT_EQ(writeSlot(fs, kPath, header.slotKey, 1, LedgerRecord::of(changed)), 1);
    EXPECT_EQ(writeSlot(fs, kPath, header.slotKey, 9, deletedFund), 9);

    const std::string after = dir.read(kPath);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t b = 0; b < after.size(); ++b) {
        const bool inRewritten =
            (b >= kHeaderSize + kSlotSize && b < kHeaderSize + 2 * kSlotSize) ||
            (b >= kHeaderSize + 9 * kSlotSize && b < kHeaderSize + 10 * kSlotSize);
        if (!inRewritten) {
            ASSERT_EQ(after[b], before[b]) << "byte " << b;
        }
    }
    const AccountContents opened = readAccount(fs, kPath, Password{}, true);
    EXPECT_EQ(opened.slots[1].as<TradeRecord>().shares, 4321);
    EXPECT_EQ(opened.slots[9].kindState(), 0xF1);
    EXPECT_EQ(opened.slots[9].as<FundRecord>().amount, -1000) << "a deleted slot keeps its bytes";
}

TEST_F(AccountFile, AppendingLandsOverACutOffTail) {
    writeAccount(fs, kPath, header, {slotOfEveryKind()[0], slotOfEveryKind()[1]});
    dir.write(kPath, dir.read(kPath) + std::string(17, '\x7F'));

    const AccountContents cut = readAccount(fs, kPath, Password{}, true);
    EXPECT_EQ(cut.slots.size(), 2u);
    EXPECT_TRUE(cut.partialTail);

    const LedgerRecord added = LedgerRecord::of(fund(kDeposit, "in", 1000, ""));
    EXPECT_EQ(writeSlot(fs, kPath, header.slotKey, -1, added), 2);
    EXPECT_EQ(dir.read(kPath).size(), kHeaderSize + 3 * kSlotSize);
    const AccountContents opened = readAccount(fs, kPath, Password{}, true);
    ASSERT_EQ(opened.slots.size(), 3u);
    EXPECT_EQ(opened.slots[2], added);
    EXPECT_FALSE(opened.partialTail);
}

TEST_F(AccountFile, SlotWritesThatCannotLandAreRefused) {
    std::filesystem::create_directory(dir.file("adir.acc"));
    dir.write("short.acc", std::string(131, 'h'));
    writeAccount(fs, kPath, header, {slotOfEveryKind()[0]});
    const LedgerRecord r = slotOfEveryKind()[3];
    struct Case {
        const char* what;
        std::string path;
        int index;
    };
    const Case cases[] = {
        {"missing file", "zr_00009.acc", -1},
        {"a directory", "adir.acc", -1},
        {"shorter than a header", "short.acc", -1},
        {"shorter than a header, in place", "short.acc", 0},
        {"beyond the last slot", kPath, 2},
    };
    const auto contentOf = [&](const std::string& path) {
        return std::filesystem::is_regular_file(dir.file(path)) ? dir.read(path) : "(none)";
    };
    for (const Case& c : cases) {
        const std::string before = contentOf(c.path);
        EXPECT_EQ(writeSlot(fs, c.path, header.slotKey, c.index, r), -1) << c.what;
        EXPECT_EQ(contentOf(c.path), before) << c.what;
    }
    EXPECT_FALSE(dir.exists("zr_00009.acc"));
}

TEST_F(AccountFile, AFailedOrShortWriteReportsFailure) {
    writeAccount(fs, kPath, header, {slotOfEveryKind()[0]});
    FaultyFileSystem faulty(dir.path());
    faulty.changesLeft = 0;  // no write gets through
    EXPECT_EQ(writeSlot(faulty, kPath, header.slotKey, -1, slotOfEveryKind()[1]), -1);
    faulty.changesLeft = 1;  // the temporary file is made, nothing written into it
    EXPECT_EQ(writeHeader(faulty, kPath, header, Password{}), -1);
    faulty.refusedModes = {OpenMode::ReadWrite};
    faulty.changesLeft.reset();
    EXPECT_EQ(writeSlot(faulty, kPath, header.slotKey, 0, slotOfEveryKind()[1]), -1);
    EXPECT_TRUE(faulty.openHandles.empty());
}

TEST_F(AccountFile, ChangingThePasswordRewritesOnlyTheHeader) {
    const std::vector<LedgerRecord> slots = slotOfEveryKind();
    writeAccount(fs, kPath, header, slots);
    const std::string before = dir.read(kPath);
    const Password newPassword = passwordFromText("abcdefgh");
    ASSERT_EQ(writeHeader(fs, kPath, header, newPassword), 0);

    const std::string after = dir.read(kPath);
    EXPECT_EQ(after.substr(kHeaderSize), before.substr(kHeaderSize));
    EXPECT_EQ(after.substr(0, 20), before.substr(0, 20)) << "title and date stay readable";

    const AccountContents withNew = readAccount(fs, kPath, newPassword, true);
    ASSERT_EQ(withNew.status, AccountStatus::Ok);
    EXPECT_EQ(bytesOf(withNew.header), bytesOf(header));
    EXPECT_EQ(withNew.slots, slots);

    const AccountContents withOld = readAccount(fs, kPath, Password{}, true);
    EXPECT_EQ(withOld.status, AccountStatus::WrongPassword);
    EXPECT_TRUE(withOld.slots.empty());
}

TEST_F(AccountFile, WritingTheHeaderNeedsAnExistingFile) {
    EXPECT_EQ(writeHeader(fs, kPath, header, Password{}), -1);
    EXPECT_FALSE(dir.exists(kPath));
}

TEST_F(AccountFile, AnAccountOpenedBeforeIsReadWithoutACheck) {
    writeAccount(fs, kPath, header, slotOfEveryKind());
    // A confirmed password is trusted; the wrong one then decodes nonsense but reads every slot.
    const AccountContents trusted = readAccount(fs, kPath, passwordFromText("wrong"), false);
    EXPECT_EQ(trusted.status, AccountStatus::Ok);
    EXPECT_FALSE(hasCheckPattern(trusted.header));
    EXPECT_EQ(trusted.slots.size(), slotOfEveryKind().size());
}

TEST_F(AccountFile, PathsOfAnyLengthWork) {
    const std::string group = "a-group-directory-whose-name-alone-is-long/" + gbk("帐户组目录");
    std::filesystem::create_directories(dir.file(gbkToUtf8(group)));
    const std::string path = newAccountPath(fs, group);
    ASSERT_GT(path.size(), 50u);
    writeAccount(fs, path, header, slotOfEveryKind());
    const AccountContents opened = readAccount(fs, path, Password{}, true);
    ASSERT_EQ(opened.status, AccountStatus::Ok);
    EXPECT_EQ(opened.slots, slotOfEveryKind());
}

TEST_F(AccountFile, ReadsAHundredThousandSlots) {
    std::vector<LedgerRecord> slots(100000);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        TradeRecord t =
            trade(static_cast<int>(i % 8), "600001", static_cast<std::int32_t>(i), 10000, 5);
        slots[i] = LedgerRecord::of(t);
    }
    std::vector<LedgerRecord> stored = slots;
    scrambleSlots(stored, 0, header.slotKey);
    const AccountHeader storedHeader = encodeHeader(header, Password{});
    dir.write(kPath,
              bytesOf(storedHeader) + std::string(reinterpret_cast<const char*>(stored.data()),
                                                  stored.size() * kSlotSize));

    const AccountContents opened = readAccount(fs, kPath, Password{}, true);
    ASSERT_EQ(opened.status, AccountStatus::Ok);
    EXPECT_TRUE(opened.complete);
    EXPECT_EQ(opened.slots, slots);
}

// Files that are not accounts, or damaged ones: the reader never fails harder than saying so,
// keeps every whole slot it could read and leaves no file open.
struct DamagedCase {
    const char* what;
    std::function<void(TempDir&, const AccountHeader&)> make;
    std::function<void(FaultyFileSystem&)> misbehave;
    bool verify;
    AccountStatus status;
    std::size_t slots;
    bool complete;
};

std::string accountBytes(const AccountHeader& header, std::size_t slots) {
    std::vector<LedgerRecord> records;
    for (std::size_t i = 0; i < slots; ++i)
        records.push_back(LedgerRecord::of(trade(kBuy, "600001", 100, 10000, 5)));
    scrambleSlots(records, 0, header.slotKey);
    return bytesOf(encodeHeader(header, Password{})) +
           std::string(reinterpret_cast<const char*>(records.data()), records.size() * kSlotSize);
}

std::string noise(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

const auto kNothingWrong = [](FaultyFileSystem&) {};

TEST(AccountDamaged, EveryDamageIsReportedAndWhatIsReadableIsKept) {
    const DamagedCase cases[] = {
        {"missing", [](TempDir&, const AccountHeader&) {}, kNothingWrong, true,
         AccountStatus::CannotOpen, 0, false},
        {"a directory",
         [](TempDir& d, const AccountHeader&) { std::filesystem::create_directory(d.file(kPath)); },
         kNothingWrong, true, AccountStatus::CannotOpen, 0, false},
        {"refused open",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 2)); },
         [](FaultyFileSystem& f) { f.refusedModes = {OpenMode::Read}; }, true,
         AccountStatus::CannotOpen, 0, false},
        {"empty", [](TempDir& d, const AccountHeader&) { d.write(kPath, ""); }, kNothingWrong, true,
         AccountStatus::TooShort, 0, false},
        {"one byte short of a header",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 0).substr(1)); },
         kNothingWrong, false, AccountStatus::TooShort, 0, false},
        {"exactly a header",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 0)); },
         kNothingWrong, true, AccountStatus::Ok, 0, true},
        {"random bytes, checked",
         [](TempDir& d, const AccountHeader&) { d.write(kPath, noise(132 + 40 * 5 + 7)); },
         kNothingWrong, true, AccountStatus::WrongPassword, 0, false},
        {"random bytes, trusted",
         [](TempDir& d, const AccountHeader&) { d.write(kPath, noise(132 + 40 * 5 + 7)); },
         kNothingWrong, false, AccountStatus::Ok, 5, true},
        {"cut inside the last slot",
         [](TempDir& d, const AccountHeader& h) {
             d.write(kPath, accountBytes(h, 4).substr(0, 132 + 40 * 3 + 39));
         },
         kNothingWrong, true, AccountStatus::Ok, 3, true},
        {"size reported as -1",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 3)); },
         [](FaultyFileSystem& f) { f.reportedSize = -1; }, true, AccountStatus::Ok, 3, true},
        {"size reported as huge",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 3)); },
         [](FaultyFileSystem& f) { f.reportedSize = std::int64_t{1} << 60; }, true,
         AccountStatus::Ok, 3, true},
        {"size reported as zero",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 3)); },
         [](FaultyFileSystem& f) { f.reportedSize = 0; }, true, AccountStatus::Ok, 3, true},
        {"header unreadable",
         [](TempDir& d, const AccountHeader& h) { d.write(kPath, accountBytes(h, 3)); },
         [](FaultyFileSystem& f) { f.bytesReadable = 100; }, true, AccountStatus::TooShort, 0,
         false},
    };
    for (const DamagedCase& c : cases) {
        TempDir dir;
        const AccountHeader header = newHeader("d");
        c.make(dir, header);
        FaultyFileSystem fs(dir.path());
        c.misbehave(fs);
        const AccountContents opened = readAccount(fs, kPath, Password{}, c.verify);
        EXPECT_EQ(opened.status, c.status) << c.what;
        EXPECT_EQ(opened.slots.size(), c.slots) << c.what;
        EXPECT_EQ(opened.complete, c.complete) << c.what;
        EXPECT_TRUE(fs.openHandles.empty()) << c.what;
        if (c.status == AccountStatus::Ok && c.verify) {
            for (const LedgerRecord& slot : opened.slots)
                ASSERT_EQ(slot.as<TradeRecord>().shares, 100) << c.what;
        }
    }
}

TEST(AccountDamaged, AReadErrorKeepsTheSlotsReadBeforeIt) {
    TempDir dir;
    const AccountHeader header = newHeader("d");
    const std::size_t total = 30000;
    dir.write(kPath, accountBytes(header, total));
    FaultyFileSystem fs(dir.path());
    fs.bytesReadable = static_cast<std::int64_t>(kHeaderSize + kSlotSize * total / 2);
    const AccountContents opened = readAccount(fs, kPath, Password{}, true);
    ASSERT_EQ(opened.status, AccountStatus::Ok);
    EXPECT_FALSE(opened.complete);
    EXPECT_GT(opened.slots.size(), 0u);
    EXPECT_LT(opened.slots.size(), total);
    for (const LedgerRecord& slot : opened.slots)
        ASSERT_EQ(slot.as<TradeRecord>().shares, 100);
    EXPECT_TRUE(fs.openHandles.empty());
}

TEST(AccountDamaged, HostileSizesNeverPlaceASlotAfterAGap) {
    for (std::int64_t size :
         {std::int64_t{-1}, std::int64_t{0}, std::int64_t{131}, std::int64_t{1} << 60}) {
        TempDir dir;
        const AccountHeader header = newHeader("d");
        dir.write(kPath, accountBytes(header, 2));
        FaultyFileSystem fs(dir.path());
        fs.reportedSize = size;
        EXPECT_EQ(writeSlot(fs, kPath, header.slotKey, -1, LedgerRecord{}), -1) << size;
        EXPECT_EQ(dir.read(kPath), accountBytes(header, 2)) << size;
    }
}

}  // namespace
}  // namespace tallivan
