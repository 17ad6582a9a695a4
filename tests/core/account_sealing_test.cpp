#include "storage/account_sealing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/edit_session.h"
#include "core/account_test_support.h"
#include "core/storage_test_support.h"
#include "storage/account_compaction.h"
#include "storage/slot_journal.h"

namespace tallivan {
namespace {

using testing::AccountTest;
using testing::sampleLedger;

constexpr const char* kPath = "zr_00001.acc";
constexpr const char* kPassphrase = "correct horse battery staple";

class SealedAccount : public AccountTest {
  protected:
    void SetUp() override {
        currentSealLimits() = minimalSealLimits();
        slots = sampleLedger();
        header.stopLossRatio = -8.25;
        testing::writeAccount(fs, kPath, header, slots);
        ASSERT_EQ(seal(kPath, kPassphrase), 0);
    }
    void TearDown() override { currentSealLimits() = defaultSealLimits(); }

    // Seals the plain account at `path` whole, as the seal command does.
    int seal(const std::string& path, const std::string& passphrase) {
        const AccountContents plain = readAccount(fs, path, Password{}, true);
        if (plain.status != AccountStatus::Ok)
            return -1;
        const DerivedKey key = newSealedKey(passphrase);
        return rewriteAccountFile(fs, path, plain.header, Password{}, SlotCodec(key.key),
                                  plain.slots);
    }
    DerivedKey derive(const std::string& passphrase, const std::string& path = kPath) {
        const auto preamble = readSealPreamble(fs, path);
        if (!preamble)
            return {};
        return deriveSealedKey(preamble->data(), passphrase);
    }
    // What opening the file with the right passphrase gives: the key's status, then the file's.
    SealStatus open(AccountContents& contents) {
        const DerivedKey key = derive(kPassphrase);
        if (key.status == SealStatus::Ok)
            contents = readAccount(fs, kPath, Password{}, false, key.key);
        return key.status;
    }

    std::vector<LedgerRecord> slots;
};

TEST_F(SealedAccount, OpensWithItsPassphraseExactlyAsItWasAndWithNoOtherKey) {
    AccountContents contents;
    ASSERT_EQ(open(contents), SealStatus::Ok);
    ASSERT_EQ(contents.status, AccountStatus::Ok);
    EXPECT_EQ(testing::bytesOf(contents.header), testing::bytesOf(header));
    EXPECT_EQ(contents.slots, slots);
    EXPECT_TRUE(contents.complete);
    EXPECT_EQ(dir.read(kPath).size(), kSealedHeaderSize + kSealedSlotSize * slots.size());
    for (const char* wrong : {"", "correct horse battery stapl", "Correct horse battery staple"})
        EXPECT_EQ(derive(wrong).status, SealStatus::WrongPassphrase) << wrong;
}

TEST_F(SealedAccount, HoldsNoTitleCodeOrAmountInClear) {
    const std::string bytes = dir.read(kPath);
    for (const std::string& clear : {gbk("帐户一"), std::string("600001"), gbk("生活费"),
                                     gbk("长线"), std::string("\x00\xe1\xf5\x05", 4)})
        EXPECT_EQ(bytes.find(clear), std::string::npos) << clear;
    // Sealing again draws a new file id, salt and nonces: no image repeats.
    const std::string before = bytes;
    AccountContents contents;
    ASSERT_EQ(open(contents), SealStatus::Ok);
    const DerivedKey key = newSealedKey(kPassphrase);
    ASSERT_EQ(rewriteAccountFile(fs, kPath, contents.header, Password{}, SlotCodec(key.key),
                                 contents.slots),
              0);
    const std::string after = dir.read(kPath);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(after.substr(8, 32), before.substr(8, 32));  // the file id and the salt
    for (std::size_t at = kSealPreambleSize; at + 16 <= after.size(); at += 16)
        EXPECT_NE(after.substr(at, 16), before.substr(at, 16)) << at;
}

TEST_F(SealedAccount, AFlippedBitAnywhereIsRefusedAndNothingIsWritten) {
    const std::string original = dir.read(kPath);
    const std::size_t slot3 = kSealedHeaderSize + 3 * kSealedSlotSize;
    const std::pair<const char*, std::size_t> parts[] = {
        {"file id", 8},           {"salt", 30},
        {"ops limit", 40},        {"memory limit", 50},
        {"reserved", 60},         {"key check", 64},
        {"checksum", 90},         {"header nonce", 100},
        {"header text", 150},     {"header tag", 260},
        {"slot nonce", slot3},    {"slot text", slot3 + 40},
        {"slot tag", slot3 + 79}, {"last slot", original.size() - 1},
    };
    for (const auto& [part, at] : parts) {
        std::string damaged = original;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x04);
        dir.write(kPath, damaged);
        AccountContents contents;
        const SealStatus key = open(contents);
        EXPECT_TRUE(key == SealStatus::Damaged ||
                    (key == SealStatus::Ok && contents.status == AccountStatus::Damaged))
            << part;
        EXPECT_TRUE(contents.slots.empty()) << part;
        EXPECT_EQ(dir.read(kPath), damaged) << part;
    }
}

TEST_F(SealedAccount, ASlotMovedOrTakenFromAnotherFileDoesNotOpen) {
    const std::string original = dir.read(kPath);
    const auto image = [](const std::string& bytes, std::size_t i) {
        return bytes.substr(kSealedHeaderSize + i * kSealedSlotSize, kSealedSlotSize);
    };
    const auto put = [](std::string& bytes, std::size_t i, const std::string& slot) {
        bytes.replace(kSealedHeaderSize + i * kSealedSlotSize, kSealedSlotSize, slot);
    };
    std::string swapped = original;
    put(swapped, 1, image(original, 2));
    put(swapped, 2, image(original, 1));
    // Another account sealed under the same passphrase: its slot 1 in our slot 1.
    testing::writeAccount(fs, "zr_00002.acc", header, slots);
    ASSERT_EQ(seal("zr_00002.acc", kPassphrase), 0);
    std::string foreign = original;
    put(foreign, 1, image(dir.read("zr_00002.acc"), 1));
    for (const std::string& damaged : {swapped, foreign}) {
        dir.write(kPath, damaged);
        AccountContents contents;
        ASSERT_EQ(open(contents), SealStatus::Ok);
        EXPECT_EQ(contents.status, AccountStatus::Damaged);
    }
}

TEST_F(SealedAccount, CommandsWriteSealedImagesThroughTheJournalAndCompactionKeepsThemSealed) {
    const DerivedKey key = derive(kPassphrase);
    ASSERT_EQ(key.status, SealStatus::Ok);
    AccountNode account;
    account.path = kPath;
    account.header = header;
    account.sealed = key.key;
    EditSession session(fs);
    const LedgerRecord memo = LedgerRecord::of(testing::note(kHeldState, gbk("加仓")));
    const LedgerRecord added = LedgerRecord::of(testing::trade(kBuy, "600999", 300, 20000, 5000));
    ASSERT_EQ(session.write(account, 3, memo), 3);
    ASSERT_EQ(session.write(account, -1, added), static_cast<int>(slots.size()));
    // The journal a command leaves holds only sealed images.
    Journal journal;
    journal.files.push_back({kPath, static_cast<std::int64_t>(dir.read(kPath).size())});
    journal.writes.push_back({kPath, 3, SlotImage(SlotCodec(key.key).encode(3, memo))});
    const std::string journalBytes = encodeJournal(journal);
    EXPECT_EQ(journalBytes.find(gbk("加仓")), std::string::npos);
    const std::optional<Journal> decoded = decodeJournal(journalBytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->writes[0].stored, journal.writes[0].stored);
    ASSERT_EQ(session.commit(), Commit::Applied);

    std::vector<LedgerRecord> expected = slots;
    expected[3] = memo;
    expected.push_back(added);
    AccountContents contents = readAccount(fs, kPath, Password{}, false, key.key);
    ASSERT_EQ(contents.status, AccountStatus::Ok);
    EXPECT_EQ(contents.slots, expected);
    EXPECT_EQ(dir.read(kPath).find("600999"), std::string::npos);

    // Compaction drops the deleted slot and seals each live one for its new place.
    ASSERT_EQ(compactFile(fs, kPath, contents), static_cast<int>(expected.size() - 1));
    std::erase_if(expected, [](const LedgerRecord& r) { return r.isDeleted(); });
    const AccountContents compacted = readAccount(fs, kPath, Password{}, false, key.key);
    ASSERT_EQ(compacted.status, AccountStatus::Ok);
    EXPECT_EQ(compacted.slots, expected);
    EXPECT_EQ(dir.read(kPath).size(), kSealedHeaderSize + kSealedSlotSize * expected.size());
}

TEST_F(SealedAccount, UnsealingGivesBackTheFileTheAccountHadWithoutAPassword) {
    const std::string plainBefore = [&] {
        testing::writeAccount(fs, "zr_00003.acc", header, slots);
        return dir.read("zr_00003.acc");
    }();
    AccountContents contents;
    ASSERT_EQ(open(contents), SealStatus::Ok);
    ASSERT_EQ(rewriteAccountFile(fs, kPath, contents.header, Password{},
                                 SlotCodec(contents.header.slotKey), contents.slots),
              0);
    EXPECT_EQ(dir.read(kPath), plainBefore);
    EXPECT_FALSE(readSealPreamble(fs, kPath));
}

}  // namespace
}  // namespace tallivan
