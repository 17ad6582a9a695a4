#include "storage/slot_journal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/edit_session.h"
#include "core/account_test_support.h"
#include "storage/data_lock.h"
#include "support/faulty_file_system.h"

namespace tallivan {
namespace {

using testing::AccountTest;
using testing::FaultyFileSystem;
using testing::sampleLedger;

constexpr const char* kPath = "zr_00001.acc";

class SlotJournal : public AccountTest {
  protected:
    void SetUp() override {
        slots = sampleLedger();
        testing::writeAccount(fs, kPath, header, slots);
    }

    // A journal rewriting slot 0 as a fund movement and appending two slots.
    Journal plan() const {
        Journal j;
        const std::int64_t size = static_cast<std::int64_t>(dir.read(kPath).size());
        j.files.push_back({kPath, size});
        const auto stored = [&](LedgerRecord r, std::int64_t index) {
            scrambleSlot(r, index, header.slotKey);
            return r.bytes;
        };
        const std::int64_t count = static_cast<std::int64_t>(slots.size());
        j.writes.push_back({kPath, 0, stored(slots[1], 0)});
        j.writes.push_back({kPath, count, stored(slots[2], count)});
        j.writes.push_back({kPath, count + 1, stored(slots[3], count + 1)});
        return j;
    }
    std::vector<LedgerRecord> planned() const {
        std::vector<LedgerRecord> expected = slots;
        expected[0] = slots[1];
        expected.push_back(slots[2]);
        expected.push_back(slots[3]);
        return expected;
    }
    std::vector<LedgerRecord> stored() { return readAccount(fs, kPath, Password{}, true).slots; }

    std::vector<LedgerRecord> slots;
};

TEST_F(SlotJournal, OnlyAWholeJournalDecodes) {
    const Journal j = plan();
    const std::string bytes = encodeJournal(j);
    const auto decoded = decodeJournal(bytes);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->writes.size(), 3u);
    EXPECT_EQ(decoded->files[0].path, kPath);
    EXPECT_EQ(decoded->writes[2].stored, j.writes[2].stored);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(decodeJournal(bytes.substr(0, cut))) << "cut at " << cut;
    for (std::size_t at = 0; at < bytes.size(); at += 7) {
        std::string damaged = bytes;
        damaged[at] ^= 0x20;
        EXPECT_FALSE(decodeJournal(damaged)) << "byte " << at;
    }
}

TEST_F(SlotJournal, ACommitWritesEverySlotAndLeavesNoJournal) {
    EXPECT_EQ(commitJournal(fs, plan()), Commit::Applied);
    EXPECT_EQ(stored(), planned());
    EXPECT_FALSE(journalWaiting(fs));
}

// Stopped at any change of the commit, the account ends with all of the writes or none, once
// the next program has taken the lock (which recovers); readers see the same meanwhile.
TEST_F(SlotJournal, ACommitStoppedAnywhereEndsWholeOrNotAtAll) {
    const std::string original = dir.read(kPath);
    bool finished = false;
    for (int n = 0; !finished; ++n) {
        ASSERT_LT(n, 40);
        dir.write(kPath, original);
        FaultyFileSystem faulty(dir.path());
        faulty.changesLeft = n;
        const Commit result = commitJournal(faulty, plan());
        finished = result == Commit::Applied;
        const bool whole = result != Commit::Failed;
        // What a reader sees before any recovery.
        EXPECT_EQ(stored(), whole ? planned() : slots) << n;
        DataLock lock(fs);
        ASSERT_EQ(lock.acquire(), LockStatus::Held);
        lock.release();
        EXPECT_EQ(stored(), whole ? planned() : slots) << n;
        EXPECT_EQ(dir.read(kPath).size(), original.size() + (whole ? 80u : 0u)) << n;
        EXPECT_FALSE(journalWaiting(fs)) << n;
        EXPECT_TRUE(faulty.openHandles.empty()) << n;
    }
}

TEST_F(SlotJournal, TheLastWriteOfASlotWinsWhateverTheOrderOfTheSlots) {
    Journal j = plan();
    // The appends in reverse order, and slot 0 written once more at the end.
    std::swap(j.writes[1], j.writes[2]);
    SlotWrite again = j.writes[0];
    LedgerRecord memo = slots[3];
    scrambleSlot(memo, 0, header.slotKey);
    again.stored = memo.bytes;
    j.writes.push_back(again);
    EXPECT_EQ(commitJournal(fs, j), Commit::Applied);
    std::vector<LedgerRecord> expected = planned();
    expected[0] = slots[3];
    EXPECT_EQ(stored(), expected);
}

TEST_F(SlotJournal, ASessionWritesASlotPlannedTwiceOnceWithItsLastRecord) {
    AccountNode account;
    account.path = kPath;
    account.header = header;
    EditSession session(fs);
    const int appended = static_cast<int>(slots.size());
    EXPECT_EQ(session.write(account, -1, slots[0]), appended);
    EXPECT_EQ(session.write(account, 1, slots[5]), 1);
    EXPECT_EQ(session.write(account, appended, slots[2]), appended);  // planned again
    EXPECT_EQ(session.write(account, 1, slots[6]), 1);
    EXPECT_EQ(session.write(account, -1, slots[3]), appended + 1);  // after the planned ones
    EXPECT_EQ(session.write(account, appended + 3, slots[3]), -1);  // beyond the end
    EXPECT_EQ(session.commit(), Commit::Applied);
    std::vector<LedgerRecord> expected = slots;
    expected[1] = slots[6];
    expected.push_back(slots[2]);
    expected.push_back(slots[3]);
    EXPECT_EQ(stored(), expected);
}

TEST_F(SlotJournal, ATornJournalIsDiscardedAndTheAccountKept) {
    const std::string original = dir.read(kPath);
    const std::string bytes = encodeJournal(plan());
    dir.write(kJournalFileName, bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(recoverJournal(fs), Recovery::Discarded);
    EXPECT_EQ(dir.read(kPath), original);
    EXPECT_FALSE(journalWaiting(fs));
    EXPECT_EQ(recoverJournal(fs), Recovery::Nothing);
}

TEST_F(SlotJournal, AReplayOverHalfAppliedWritesFinishesThem) {
    const Journal j = plan();
    // The first write reached the file, the appends did not.
    Journal first = j;
    first.writes.resize(1);
    ASSERT_EQ(commitJournal(fs, first), Commit::Applied);
    dir.write(kJournalFileName, encodeJournal(j));
    EXPECT_EQ(recoverJournal(fs), Recovery::Replayed);
    EXPECT_EQ(stored(), planned());
    // A second replay of the same journal changes nothing.
    const std::string after = dir.read(kPath);
    dir.write(kJournalFileName, encodeJournal(j));
    EXPECT_EQ(recoverJournal(fs), Recovery::Replayed);
    EXPECT_EQ(dir.read(kPath), after);
}

TEST_F(SlotJournal, AFileThatCannotTakeItsWritesStopsTheCommitBeforeTheJournal) {
    const std::string original = dir.read(kPath);
    Journal j = plan();
    j.files[0].sizeBefore -= 40;  // planned on a view another program has overtaken
    EXPECT_EQ(commitJournal(fs, j), Commit::Failed);
    FaultyFileSystem faulty(dir.path());
    faulty.refusedModes = {OpenMode::ReadWrite};
    EXPECT_EQ(commitJournal(faulty, plan()), Commit::Failed);
    EXPECT_EQ(dir.read(kPath), original);
    EXPECT_FALSE(journalWaiting(fs));
}

TEST(DataLockTest, OneHolderAtATimeAndTheChangeCountIsShared) {
    testing::TempDir dir;
    PosixFileSystem fs(dir.path());
    DataLock first(fs, 50);
    DataLock second(fs, 50);
    EXPECT_EQ(first.generation(), 0u);
    ASSERT_EQ(first.acquire(), LockStatus::Held);
    ASSERT_EQ(first.acquire(), LockStatus::Held);  // a hold inside a hold
    EXPECT_EQ(second.acquire(), LockStatus::Busy);
    EXPECT_EQ(first.bump(), 1u);
    EXPECT_EQ(second.generation(), 1u);
    first.release();
    EXPECT_EQ(second.acquire(), LockStatus::Busy);  // still held once
    first.release();
    ASSERT_EQ(second.acquire(), LockStatus::Held);
    EXPECT_EQ(second.bump(), 2u);
    second.release();
    struct stat st {};
    ASSERT_EQ(::stat(dir.file(kLockFileName).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(DataLockTest, ADirectoryThatCannotHoldTheLockFileLetsReadersOn) {
    testing::TempDir dir;
    PosixFileSystem fs(dir.path() + "/missing");
    DataLock lock(fs, 50);
    EXPECT_EQ(lock.acquire(), LockStatus::Unavailable);
    EXPECT_EQ(lock.generation(), 0u);
    lock.release();
}

}  // namespace
}  // namespace tallivan
