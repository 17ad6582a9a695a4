// tallivan-cli beside other programs on the same data, and on data it cannot change: every
// command that says it ran is stored exactly once, every one that did not says why, and a
// refused value stores nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <set>
#include <thread>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "support/recording_ui.h"
#include "support/run_cli.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::DataDir;

class SharedDataCli : public ::testing::Test {
  protected:
    SharedDataCli() { data.account("zrdata", 1, "one", {}); }

    CliResult run(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path(), env);
    }
    std::vector<TradeRecord> trades() {
        std::vector<TradeRecord> all;
        for (const LedgerRecord& r : readAccount(data.fs(), kAccount, Password{}, true).slots) {
            if (r.kind() == SlotKind::Trade)
                all.push_back(r.as<TradeRecord>());
        }
        return all;
    }

    const std::string kAccount = "zrdata/zr_00001.acc";
    DataDir data;
};

// Two writers and a reader on one account, each command a process of its own.
TEST_F(SharedDataCli, TwoWritersAndAReaderLoseNothing) {
    constexpr int kCommands = 60;
    std::map<int, int> depositsDone, buysDone;  // by command number: the exit status
    int readsRefusedSilently = 0;
    std::thread depositor([&] {
        for (int k = 0; k < kCommands; ++k) {
            const CliResult r = run({"fund", kAccount, "--op", "deposit", "--amount",
                                     std::to_string(1000 + k), "--memo", "d" + std::to_string(k)});
            depositsDone[k] = r.status;
            EXPECT_TRUE(r.status == 0 || !r.err.empty()) << r.err;
        }
    });
    std::thread buyer([&] {
        for (int k = 0; k < kCommands; ++k) {
            // The price tells the buys apart: 10.00, 10.01 ...
            const CliResult r = run({"buy", kAccount, "--code", "600000", "--shares", "100",
                                     "--price", std::to_string(10 + k / 100.0)});
            buysDone[k] = r.status;
            EXPECT_TRUE(r.status == 0 || !r.err.empty()) << r.err;
        }
    });
    std::thread reader([&] {
        for (int k = 0; k < kCommands; ++k) {
            const CliResult r = run({"show", kAccount, "--list", "totals"});
            if (r.status != 0 && r.err.empty())
                ++readsRefusedSilently;
        }
    });
    depositor.join();
    buyer.join();
    reader.join();
    EXPECT_EQ(readsRefusedSilently, 0);

    std::multiset<std::string> memos;
    const auto slots = readAccount(data.fs(), kAccount, Password{}, true).slots;
    for (const LedgerRecord& r : slots) {
        if (r.kind() == SlotKind::Fund)
            memos.insert(fieldText(r.as<FundRecord>().memo, sizeof FundRecord::memo));
    }
    std::multiset<std::int32_t> prices;
    for (const TradeRecord& t : trades())
        prices.insert(t.price);
    int stored = 0;
    for (int k = 0; k < kCommands; ++k) {
        const std::size_t wanted = depositsDone[k] == 0 ? 1 : 0;
        EXPECT_EQ(memos.count("d" + std::to_string(k)), wanted) << "deposit " << k;
        EXPECT_EQ(prices.count(10000 + 10 * k), buysDone[k] == 0 ? 1u : 0u) << "buy " << k;
        stored += depositsDone[k] == 0;
    }
    EXPECT_GT(stored, 0);
    // The holding agrees with the buys stored.
    const CliResult shown = run({"show", kAccount, "--list", "holdings"});
    EXPECT_NE(shown.out.find("\t600000\t600000\t" + std::to_string(100 * prices.size()) + "\t"),
              std::string::npos)
        << shown.out;
}

// The desktop program keeps an account open while a script writes to it.
TEST_F(SharedDataCli, TheDesktopViewFollowsAScriptAndWritesAfterIt) {
    testing::RecordingUi ui;
    FixedClock clock({2026, 12, 10}, 1);
    PosixFileSystem fs(data.path());
    Controller desktop(ui, fs, clock);
    desktop.start();
    ASSERT_EQ(run({"buy", kAccount, "--code", "600000", "--shares", "100", "--price", "10"}).status,
              0);
    EXPECT_TRUE(desktop.refreshIfChanged());
    ASSERT_EQ(desktop.lists().rows(LedgerList::Trades).size(), 1u);
    desktop.selectRow(LedgerList::Holdings, 1);
    ui.onDialog = [](Form& f) {
        testing::typeAndLeave(f, field_id::kMemo, "kept");
        f.press(field_id::kOk);
    };
    desktop.editStock();
    EXPECT_TRUE(ui.messages.empty());
    const CliResult shown = run({"show", kAccount, "--list", "holdings"});
    EXPECT_NE(shown.out.find("\tkept\n"), std::string::npos) << shown.out;
}

TEST_F(SharedDataCli, ARefusedOrOverlongValueCancelsTheCommand) {
    const std::string before = data.dir().read(kAccount);
    const struct {
        std::vector<std::string> words;
        std::string err;
    } cases[] = {
        {{"buy", kAccount, "--code", "600000", "--shares", "1e308", "--price", "10"},
         "错误: '1e308' 为无效值,请重新输入！\n"},
        {{"buy", kAccount, "--code", "600000", "--shares", "-100", "--price", "10"},
         "错误: '-100' 为无效值,请重新输入！\n"},
        {{"buy", kAccount, "--code", "600000", "--shares", "0", "--price", "10"},
         "错误: '0' 为无效值,请重新输入！\n"},
        {{"fund", kAccount, "--op", "deposit", "--amount", "10", "--memo", "fifteen bytes!!"},
         "错误: 'fifteen bytes!!' 为无效值,请重新输入！\n"},
        {{"fund", kAccount, "--op", "deposit", "--amount", "x", "--memo", "m"},
         "错误: 'x' 为无效值,请重新输入！\n"},
        {{"config", "0", "--commission-rate", "abc", "--name", "x"},
         "错误: 'abc' 为无效值,请重新输入！\n"},
    };
    for (const auto& c : cases) {
        const CliResult r = run(c.words);
        EXPECT_EQ(r.status, 1) << c.words[0];
        EXPECT_EQ(r.err, c.err) << c.words[0];
        EXPECT_EQ(data.dir().read(kAccount), before) << c.words[0];
    }
    EXPECT_FALSE(data.dir().exists(kSettingsFileName));
}

TEST_F(SharedDataCli, ThePasswordComesFromTheOptionTheFileOrTheEnvironment) {
    data.settings([](Settings& s) { s.wantPassword = 1; });
    ASSERT_EQ(run({"--password", "", "passwd", kAccount, "--old", "", "--new", "secret12"}).status,
              0);
    data.dir().write("pw", "secret12\n");
    const std::string file = data.dir().file("pw");
    const struct {
        std::vector<std::string> words;
        std::vector<std::string> env;
        int status;
    } cases[] = {
        {{"--password", "secret12", "show", kAccount, "--list", "totals"}, {}, 0},
        {{"--password-file", file, "show", kAccount, "--list", "totals"}, {}, 0},
        {{"show", kAccount, "--list", "totals"}, {"TALLIVAN_PASSWORD=secret12"}, 0},
        // The option wins over the file, the file over the environment.
        {{"--password", "wrong", "--password-file", file, "show", kAccount}, {}, 1},
        {{"--password-file", file, "show", kAccount}, {"TALLIVAN_PASSWORD=wrong"}, 0},
        {{"show", kAccount}, {}, 1},
        // Nine characters never fit the prompt: refused, not cut to the right eight.
        {{"--password", "secret123", "show", kAccount}, {}, 1},
        {{"--password-file", data.dir().file("missing"), "show", kAccount}, {}, 1},
    };
    for (const auto& c : cases) {
        const CliResult r = run(c.words, c.env);
        EXPECT_EQ(r.status, c.status) << c.words[0] << " " << c.words[1] << ": " << r.err;
    }
}

// Failures of the data directory itself: each said, exit 1, nothing changed, nothing blocked.
TEST_F(SharedDataCli, ADataDirectoryThatCannotBeWrittenIsSaid) {
    testing::TempDir elsewhere;
    const std::string missing = elsewhere.file("missing");
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"config", "0", "--name", "x"}, {"options", "--dirs", "a"}, {"name", "600000", "x"}}) {
        const CliResult r = testing::runCli(
            TALLIVAN_CLI_PATH,
            [&] {
                std::vector<std::string> all = {"--data", missing};
                all.insert(all.end(), words.begin(), words.end());
                return all;
            }(),
            elsewhere.path());
        EXPECT_EQ(r.status, 1) << words[0];
        EXPECT_NE(r.err.find("写文件出错!"), std::string::npos) << words[0] << r.err;
    }
    EXPECT_FALSE(elsewhere.exists("missing"));

    // A FIFO in place of the settings: said at once, never waited on, never replaced.
    ASSERT_EQ(::mkfifo(data.dir().file(kSettingsFileName).c_str(), 0600), 0);
    const CliResult r = run({"config", "0", "--name", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 读文件出错! “zrstk.cfg”\n错误: 写文件出错! “zrstk.cfg”\n");
    struct stat st {};
    ASSERT_EQ(::stat(data.dir().file(kSettingsFileName).c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
}  // namespace tallivan
