// The ledger as a whole when things go wrong around it: another program writing the same data,
// a disk that refuses writes, files that cannot be read, numbers beyond the stored fields.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "app/controller.h"
#include "core/trade_app.h"
#include "storage/account_compaction.h"
#include "storage/data_lock.h"
#include "storage/slot_journal.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::TradeApp;
using testing::typeAndLeave;

const std::string kOvertaken = gbk("数据已被另一个程序修改,已重新读入,请重新操作!");

// Every file of the data directory but the lock file, with its bytes.
std::map<std::string, std::string> filesOf(DataDir& data) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(data.path())) {
        const std::string name = std::filesystem::relative(e.path(), data.path()).string();
        if (e.is_regular_file() && name != kLockFileName)
            files[name] = data.dir().read(name);
    }
    return files;
}

std::vector<std::string> texts(const std::vector<testing::ShownMessage>& messages) {
    std::vector<std::string> all;
    for (const auto& m : messages)
        all.push_back(m.text);
    return all;
}

void writeMemo(TradeApp& app, const std::string& code, const std::string& memo) {
    app.controller.setFocusedList(LedgerList::Holdings);
    app.onHolding(code, &Controller::editStock, {{field_id::kMemo, memo}});
}

// The desktop program keeps its view between commands; a script changes the files meanwhile.
TEST(TwoPrograms, AViewOvertakenByAnotherProgramIsReadAgainBeforeItWrites) {
    DataDir data;
    TradeApp desktop(data);
    desktop.buy("600001", "1000", "10", "15");
    TradeApp script(data, true);  // opens the account as it is now
    script.buy("600002", "500", "8", "5");
    const auto afterScript = filesOf(data);

    desktop.ui.messages.clear();
    writeMemo(desktop, "600001", "desk");
    EXPECT_EQ(texts(desktop.ui.messages), std::vector<std::string>{kOvertaken});
    EXPECT_EQ(filesOf(data), afterScript);              // nothing written on the old view
    EXPECT_EQ(desktop.rows(LedgerList::Holdings), 3u);  // the script's holding is shown now

    desktop.ui.messages.clear();
    writeMemo(desktop, "600001", "desk");
    EXPECT_TRUE(desktop.ui.messages.empty());
    script.reopen();
    EXPECT_EQ(script.snapshot(), desktop.snapshot());
}

// A compaction by another program moves the slots: an edit planned on the old slot numbers
// would overwrite an unrelated record.
TEST(TwoPrograms, ACompactionByAnotherProgramNeverLetsAnOldSlotNumberBeWritten) {
    DataDir data;
    TradeApp desktop(data);
    desktop.buy("600001", "1000", "10", "15");
    desktop.buy("600002", "500", "8", "5");
    desktop.controller.selectRow(LedgerList::Trades, 1);  // the first buy
    desktop.ui.messages.clear();
    {
        TradeApp script(data, true);
        script.onHolding("600001", &Controller::deleteStock, {});
        DataLock lock(data.fs());
        ASSERT_EQ(lock.acquire(), LockStatus::Held);
        AccountContents contents = readAccount(data.fs(), script.path, Password{}, true);
        ASSERT_GT(compactFile(data.fs(), script.path, contents), 0);
        lock.bump();
        lock.release();
    }
    const auto compacted = filesOf(data);
    ASSERT_TRUE(desktop.controller.refreshIfChanged());
    EXPECT_FALSE(desktop.controller.refreshIfChanged());
    EXPECT_EQ(desktop.rows(LedgerList::Holdings), 2u);
    EXPECT_EQ(filesOf(data), compacted);
    writeMemo(desktop, "600002", "kept");
    EXPECT_TRUE(desktop.ui.messages.empty());
    TradeApp reader(data, true);
    EXPECT_EQ(reader.snapshot(), desktop.snapshot());
    EXPECT_EQ(reader.row(LedgerList::Holdings, 1,
                         {held_column::kCode, held_column::kShares, held_column::kMemo}),
              (std::vector<std::string>{"600002", "500", "kept"}));
}

TEST(TwoPrograms, ACommandWaitsForTheLockAndSaysWhenItStaysTaken) {
    DataDir data;
    TradeApp app(data);
    DataLock other(data.fs(), 0);
    ASSERT_EQ(other.acquire(), LockStatus::Held);
    const auto before = filesOf(data);
    app.buy("600001", "1000", "10", "15");
    EXPECT_EQ(texts(app.ui.messages),
              std::vector<std::string>{gbk("数据正被另一个程序修改,请稍后再试!")});
    EXPECT_EQ(filesOf(data), before);
    EXPECT_EQ(app.rows(LedgerList::Trades), 0u);
    other.release();
    app.ui.messages.clear();
    app.buy("600001", "1000", "10", "15");
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.rows(LedgerList::Trades), 1u);
}

// A failed write is said, naming the file, and leaves every file as it was.
TEST(FailingWrites, EachIsSaidAndChangesNothing) {
    const std::string account = "zrdata/zr_00001.acc";
    const struct {
        const char* name;
        std::function<void(testing::FaultyFileSystem&)> fault;
        std::function<void(TradeApp&)> command;
        std::string message;
    } cases[] = {
        {"a deposit on a full disk", [](auto& fs) { fs.changesLeft = 0; },
         [](TradeApp& app) {
             app.ui.onDialog = [](Form& f) {
                 typeAndLeave(f, field_id::kAmount, "100");
                 f.press(field_id::kOk);
             };
             app.controller.addFund();
         },
         writeFailedMessage(account)},
        {"a buy on a full disk", [](auto& fs) { fs.changesLeft = 0; },
         [](TradeApp& app) { app.buy("600002", "100", "5", "5"); }, writeFailedMessage(account)},
        {"a memo when the journal cannot be written",
         [](auto& fs) { fs.refusedWritesTo = {kJournalFileName}; },
         [](TradeApp& app) { writeMemo(app, "600001", "m"); }, writeFailedMessage(account)},
        {"the settings on a full disk", [](auto& fs) { fs.changesLeft = 0; },
         [](TradeApp& app) {
             app.ui.onDialog = [](Form& f) {
                 typeAndLeave(f, field_id::kTitle, "x");
                 f.press(field_id::kOk);
                 f.press(field_id::kCancel);
             };
             app.controller.configure();
         },
         writeFailedMessage(kSettingsFileName)},
        {"the options in a read-only directory",
         [](auto& fs) { fs.refusedModes = {OpenMode::CreateExclusive}; },
         [](TradeApp& app) {
             app.ui.onDialog = [](Form& f) {
                 f.toggle(field_id::kWantPassword, true);
                 f.press(field_id::kOk);
             };
             app.controller.options();
         },
         writeFailedMessage(kSettingsFileName)},
        {"a stock name on a full disk", [](auto& fs) { fs.changesLeft = 0; },
         [](TradeApp& app) {
             app.ui.onDialog = [](Form& f) {
                 typeAndLeave(f, field_id::kCode, "600001");
                 typeAndLeave(f, field_id::kTitle, "x");
                 f.press(field_id::kOk);
             };
             app.controller.editStockName();
         },
         writeFailedMessage(kNameTableFileName)},
        {"a new account in a read-only directory",
         [](auto& fs) { fs.refusedModes = {OpenMode::CreateExclusive}; },
         [](TradeApp& app) {
             app.ui.onDialog = [](Form& f) { f.press(field_id::kOk); };
             app.controller.addAccount();
         },
         writeFailedMessage("zrdata/zr_00002.acc")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataDir data;
        TradeApp app(data);
        app.buy("600001", "1000", "10", "15");
        const auto before = filesOf(data);
        const auto shown = app.snapshot();
        app.ui.messages.clear();
        c.fault(app.fs);
        c.command(app);
        ASSERT_FALSE(app.ui.messages.empty());
        EXPECT_EQ(app.ui.messages.back().text, c.message);
        EXPECT_EQ(app.ui.messages.back().caption, gbk("错误"));
        EXPECT_EQ(filesOf(data), before);
        EXPECT_EQ(app.snapshot(), shown);
    }
}

// Files that are there but cannot be read are said at start and never replaced; special files
// do not make the program wait.
TEST(FailingReads, AFileThatCannotBeReadIsSaidAndNeverReplaced) {
    for (const char* kind : {"directory", "fifo"}) {
        SCOPED_TRACE(kind);
        DataDir data;
        data.account("zrdata", 1, "one", testing::sampleLedger());
        for (const std::string& name :
             {std::string(kSettingsFileName), std::string(kNameTableFileName),
              std::string("zrdata/zrstk.grp")}) {
            const std::string path = data.dir().file(name);
            ASSERT_EQ(std::string(kind) == "fifo" ? ::mkfifo(path.c_str(), 0600)
                                                  : ::mkdir(path.c_str(), 0700),
                      0);
        }
        testing::RecordingUi ui;
        FixedClock clock({2026, 12, 10}, 1);
        Controller controller(ui, data.fs(), clock);
        controller.start();
        EXPECT_EQ(texts(ui.messages),
                  (std::vector<std::string>{readFailedMessage(kSettingsFileName),
                                            readFailedMessage(kNameTableFileName)}));
        EXPECT_EQ(controller.lists().rows(LedgerList::Trades).size(), 2u);  // defaults: zrdata
        ui.messages.clear();
        ui.onDialog = [](Form& f) { f.press(field_id::kOk); };
        controller.options();
        EXPECT_EQ(texts(ui.messages),
                  std::vector<std::string>{writeFailedMessage(kSettingsFileName)});
        struct stat st {};
        ASSERT_EQ(::stat(data.dir().file(kSettingsFileName).c_str(), &st), 0);
        EXPECT_EQ(std::string(kind) == "fifo" ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode), true);
    }
}

TEST(FailingReads, SlotsThatCannotBeReadAreSaidNotShownAsAnEmptyLedger) {
    DataDir data;
    const std::string path = data.account("zrdata", 1, "one", testing::sampleLedger());
    testing::FaultyFileSystem fs(data.path());
    fs.bytesReadable = 132 + 40 * 3 + 20000;  // the tree's header reads, then the slots fail
    testing::RecordingUi ui;
    FixedClock clock({2026, 12, 10}, 1);
    Controller controller(ui, fs, clock);
    controller.start();
    EXPECT_EQ(texts(ui.messages), std::vector<std::string>{readFailedMessage(path)});
    EXPECT_FALSE(controller.commands().enabled(CommandId::AddFund));
    EXPECT_TRUE(controller.lists().rows(LedgerList::Trades).empty());
}

TEST(Numbers, APositionThatWouldNotFitItsFieldsIsRefusedAndNothingWritten) {
    DataDir data;
    TradeApp app(data);
    const std::string kOutOfRange = gbk("股数或金额超出范围,未保存!");
    // A code of no category pays no fee, so only the shares grow.
    app.buy("000001", "1500000000", "1", "0");
    ASSERT_TRUE(app.ui.messages.empty());
    const auto before = filesOf(data);
    const auto shown = app.snapshot();
    app.buy("000001", "1500000000", "1", "0");
    EXPECT_EQ(texts(app.ui.messages), std::vector<std::string>{kOutOfRange});
    app.ui.messages.clear();
    app.onHolding("000001", &Controller::bonusShares, {{field_id::kShares, "2147483647"}});
    EXPECT_EQ(texts(app.ui.messages), std::vector<std::string>{kOutOfRange});
    EXPECT_EQ(filesOf(data), before);
    EXPECT_EQ(app.snapshot(), shown);
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares}),
              std::vector<std::string>{"1500000000"});
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

TEST(FileModes, NewFilesAreTheOwnersAloneAndRewritesKeepModeAndLinks) {
    DataDir data;
    TradeApp app(data);
    app.ui.onDialog = [](Form& f) { f.press(field_id::kOk); };
    app.controller.addAccount();  // zr_00002.acc
    app.ui.onDialog = [](Form& f) {
        typeAndLeave(f, field_id::kTitle, "x");
        f.press(field_id::kOk);
        f.press(field_id::kCancel);
    };
    app.controller.configure();
    app.controller.exportText();
    for (const char* name : {"zrdata/zr_00002.acc", kSettingsFileName, "zrdata/资金_新帐户.txt"})
        EXPECT_EQ(modeOf(data.dir().file(name)) & 0777, 0600u) << name;

    // An account kept elsewhere behind a link, readable by the owner's group.
    const std::string target = data.dir().file("elsewhere.acc");
    std::filesystem::rename(data.dir().file("zrdata/zr_00001.acc"), target);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(::symlink(target.c_str(), data.dir().file("zrdata/zr_00001.acc").c_str()), 0);
    app.controller.buildTree();
    app.controller.selectNode(1);
    app.ui.onDialog = [](Form& f) {
        typeAndLeave(f, field_id::kTitle, "renamed");
        f.press(field_id::kOk);
    };
    app.controller.editAccount();  // rewrites the whole file
    app.buy("600001", "100", "10", "5");
    EXPECT_TRUE(S_ISLNK(modeOf(data.dir().file("zrdata/zr_00001.acc"))));
    EXPECT_EQ(modeOf(target) & 0777, 0640u);
    const auto header = readStoredHeader(data.fs(), "elsewhere.acc");
    ASSERT_TRUE(header);
    EXPECT_EQ(fieldText(header->title, sizeof header->title), "renamed");
    // The buy's trade, position and memo went through the link too.
    EXPECT_EQ(readAccount(data.fs(), "elsewhere.acc", Password{}, true).slots.size(), 3u);
}

}  // namespace
}  // namespace tallivan
