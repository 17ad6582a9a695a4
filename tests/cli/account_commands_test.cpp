#include <gtest/gtest.h>

#include "core/ledger_fixture.h"
#include "support/run_cli.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::DataDir;

class AccountCli : public ::testing::Test {
  protected:
    CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path());
    }
    void searchDirs(const std::string& dirs, bool wantPassword = false) {
        data.settings([&](Settings& s) {
            copyToField(s.accountSearchDir, sizeof s.accountSearchDir, dirs);
            s.wantPassword = wantPassword ? 1 : 0;
        });
    }
    DataDir data;
};

TEST_F(AccountCli, ShowPrintsTheFiveSections) {
    testing::writeSampleNames(data);
    data.account("zrdata", 1, "one", testing::sampleLedger());
    const CliResult r = run({"show", "zrdata/zr_00001.acc"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "[holdings]\n"
              "16\t统计\t持有股票\t1\t\t10081.00\t\t10415.25\t334.25\t3.32%\t\t\t\t\t\n"
              "3\t600001\t邯郸钢铁\t1000\t10.00\t10081.00\t10.50\t10415.25\t334.25\t3.32%\t10.17\t"
              "9.50\t11.00\t24-01-03\t长线\n"
              "[sold]\n"
              "16\t统计\t已卖股票\t1\t\t5000.00\t\t5500.00\t500.00\t10.00%\t\t\n"
              "4\t0001\t平安\t500\t9.91\t5000.00\t11.10\t5500.00\t500.00\t10.00%\t23-11-20\t\n"
              "[trades]\n"
              "6\t24-01-03\t600001\t邯郸钢铁\t买入\t1000\t10.00\t81.00\t-10081.00\t\t\n"
              "5\t23-11-20\t0001\t平安\t卖出\t500\t11.10\t46.63\t5503.37\t503.37\t10.07%\n"
              "[funds]\n"
              "15\t24-02-02\t增损\t资金增损\t-12.50\t利息税\t\t\n"
              "14\t24-02-01\t支取\t资金支取\t-2000.00\t生活费\t\t\n"
              "13\t24-01-02\t存入\t资金存入\t100000.00\t\t\t\n"
              "[totals]\n"
              "资金总额\t   98000.00\n"
              "资金损耗\t     -12.50\n"
              "资金现额\t   97987.50\n"
              "持仓金额\t   10081.00\n"
              "资金余额\t   93409.87\n"
              "净现值\t  103825.12\n"
              "净盈利\t    5825.12\n"
              "盈利率\t      5.94%\n"
              "投资率\t     10.29%\n");

    const CliResult some =
        run({"show", "zrdata/zr_00001.acc", "--list", "totals", "--list", "sold"});
    EXPECT_EQ(some.status, 0) << some.err;
    EXPECT_EQ(some.out.substr(0, some.out.find("[totals]")),
              "[sold]\n"
              "16\t统计\t已卖股票\t1\t\t5000.00\t\t5500.00\t500.00\t10.00%\t\t\n"
              "4\t0001\t平安\t500\t9.91\t5000.00\t11.10\t5500.00\t500.00\t10.00%\t23-11-20\t\n");
}

TEST_F(AccountCli, TreeListsGroupsAndAccounts) {
    searchDirs("zrdata;more");
    data.fs().makeDirectory("more");
    data.account("zrdata", 1, "one", {});
    data.account("zrdata", 2, gbk("二号"), {});
    const CliResult r = run({"tree"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "group\tmore\t帐户组\n"
              "group\tzrdata\t帐户组\n"
              "account\tzrdata/zr_00001.acc\tone\n"
              "account\tzrdata/zr_00002.acc\t二号\n");
}

TEST_F(AccountCli, PasswordedAccountsOpenWithTheGivenPassword) {
    searchDirs("zrdata", true);
    data.account("zrdata", 1, "one", testing::sampleLedger(), "secret12");
    data.account("zrdata", 2, "two", {});
    const auto tradeLines = [&](std::vector<std::string> args) {
        const CliResult r = run(args);
        const std::size_t at = r.out.find("[trades]\n");
        if (at == std::string::npos)
            return std::pair{r.status, std::ptrdiff_t{-1}};
        const std::size_t from = at + 9;
        const std::string trades = r.out.substr(from, r.out.find("[funds]") - from);
        return std::pair{r.status, std::count(trades.begin(), trades.end(), '\n')};
    };
    EXPECT_EQ(tradeLines({"--password", "secret12", "show", "zrdata/zr_00001.acc"}),
              (std::pair{0, std::ptrdiff_t{2}}));
    // Without the password the account stays locked: nothing to show, and the exit says so.
    EXPECT_EQ(tradeLines({"show", "zrdata/zr_00001.acc"}), (std::pair{1, std::ptrdiff_t{-1}}));
    // A group opens every account it can once: the empty password fits the second only.
    EXPECT_EQ(tradeLines({"--password", "", "show", "zrdata"}), (std::pair{0, std::ptrdiff_t{0}}));
    EXPECT_EQ(tradeLines({"--password", "secret12", "show", "zrdata"}),
              (std::pair{0, std::ptrdiff_t{2}}));
}

TEST_F(AccountCli, AccountLifeCycle) {
    searchDirs("zrdata");
    data.fs().makeDirectory("zrdata");
    CliResult r = run({"add-account", "zrdata", "--title", "first", "--date", "2025-1-2",
                       "--stop-loss-ratio", "-8", "--memo", "备注"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "zrdata/zr_00001.acc\n");
    const auto header = readStoredHeader(data.fs(), "zrdata/zr_00001.acc");
    ASSERT_TRUE(header);
    EXPECT_EQ(fieldText(header->title, 11), "first");
    EXPECT_EQ(int(header->year) * 10000 + header->month * 100 + header->day, 20250102);

    // A refused entry cancels the dialog: nothing is stored, whatever was typed after it.
    const std::string stored = data.dir().read("zrdata/zr_00001.acc");
    for (const std::vector<std::string>& more :
         std::vector<std::vector<std::string>>{{}, {"--memo", "m"}, {"--take-profit-limit", "9"}}) {
        std::vector<std::string> words = {"edit-account", "zrdata/zr_00001.acc", "--title",
                                          "second",       "--stop-loss-limit",   "x"};
        words.insert(words.end(), more.begin(), more.end());
        r = run(words);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "错误: 'x' 为无效值,请重新输入！\n");
        EXPECT_EQ(data.dir().read("zrdata/zr_00001.acc"), stored);
    }
    // A title longer than its ten bytes is refused, not cut.
    r = run({"edit-account", "zrdata/zr_00001.acc", "--title", "elevenbytes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 'elevenbytes' 为无效值,请重新输入！\n");
    EXPECT_EQ(data.dir().read("zrdata/zr_00001.acc"), stored);
    r = run({"edit-account", "zrdata/zr_00001.acc", "--title", "second"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run({"tree"}).out, "group\tzrdata\t帐户组\naccount\tzrdata/zr_00001.acc\tsecond\n");

    r = run({"passwd", "zrdata/zr_00001.acc", "--old", "", "--new", "abcdef"});
    // The password command shows only when passwords are asked for.
    EXPECT_EQ(r.status, 1);
    searchDirs("zrdata", true);
    r = run({"--password", "", "passwd", "zrdata/zr_00001.acc", "--old", "", "--new", "abcdef"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "提示: 密码修改成功!\n");
    r = run({"--password", "abcdef", "passwd", "zrdata/zr_00001.acc", "--old", "abcdef", "--new",
             "abcdefgh", "--again", "abcdefgX"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 新密码输入错!\n");

    r = run({"--password", "abcdef", "delete-account", "zrdata/zr_00001.acc"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(data.fs().exists("zrdata/zr_00001.acc"));
    EXPECT_EQ(run({"delete-account", "zrdata/zr_00001.acc"}).status, 1);  // no such node
}

TEST_F(AccountCli, FundMovementsAreRecordedAndDeleted) {
    data.account("zrdata", 1, "one", {});
    CliResult r = run({"fund", "zrdata/zr_00001.acc", "--op", "deposit", "--amount", "10000",
                       "--title", "工资", "--date", "2026-1-5"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"fund", "zrdata/zr_00001.acc", "--op", "adjust", "--amount", "-30", "--memo", "利息"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"fund", "zrdata/zr_00001.acc", "--op", "withdraw", "--amount", "1e99"});
    EXPECT_EQ(r.status, 1);  // refused: the dialog stays open and nothing is stored
    EXPECT_EQ(r.err, "错误: '1e99' 为无效值,请重新输入！\n");
    EXPECT_EQ(run({"fund", "zrdata/zr_00001.acc", "--op", "lend", "--amount", "1"}).status, 2);

    r = run({"show", "zrdata/zr_00001.acc", "--list", "funds", "--list", "totals"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("[totals]")),
              "[funds]\n"
              "15\t26-12-10\t\t资金增损\t30.00\t利息\t\t\n"
              "13\t26-01-05\t工资\t资金存入\t10000.00\t\t\t\n");
    EXPECT_NE(r.out.find("资金总额\t   10000.00\n资金损耗\t      30.00\n"), std::string::npos);

    r = run({"delete-fund", "zrdata/zr_00001.acc", "--row", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "警告: 该操作将删除 “26-01-05 工资 资金存入 10000.00”! 是否进行?\n");
    EXPECT_EQ(run({"show", "zrdata/zr_00001.acc", "--list", "funds"}).out,
              "[funds]\n15\t26-12-10\t\t资金增损\t30.00\t利息\t\t\n");
    EXPECT_EQ(run({"delete-fund", "zrdata/zr_00001.acc", "--row", "2"}).status, 1);  // no row 2
}

TEST_F(AccountCli, EditStockSetsTargetsThroughTheCalculateButtons) {
    testing::writeSampleNames(data);
    data.account("zrdata", 1, "one", testing::sampleLedger());
    CliResult r = run({"edit-stock", "zrdata/zr_00001.acc", "--code", "600001", "--loss", "-500",
                       "--profit-ratio", "10", "--memo", "目标"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"show", "zrdata/zr_00001.acc", "--list", "holdings"});
    EXPECT_NE(r.out.find("\t10.17\t9.66\t11.18\t24-01-03\t目标\n"), std::string::npos) << r.out;
    EXPECT_EQ(run({"edit-stock", "zrdata/zr_00001.acc", "--code", "600009"}).status, 1);
    EXPECT_EQ(run({"edit-stock", "zrdata/zr_00001.acc", "--code", "0001"}).status, 1);  // sold
    EXPECT_EQ(run({"edit-stock", "zrdata/zr_00001.acc", "--code", "0001", "--sold"}).status, 0);
}

TEST_F(AccountCli, ATradingSessionReopensToWhatItShowed) {
    testing::writeSampleNames(data);
    data.account("zrdata", 1, "one", {});
    const std::string account = "zrdata/zr_00001.acc";
    const std::vector<std::vector<std::string>> session = {
        {"fund", account, "--op", "deposit", "--amount", "100000", "--date", "2026-1-2"},
        {"buy", account, "--code", "600001", "--shares", "1000", "--price", "10", "--fee", "15",
         "--date", "2026-1-5"},
        {"sell", account, "--code", "600001", "--shares", "500", "--price", "12", "--fee", "10"},
        {"bonus", account, "--code", "600001", "--shares", "100"},
        {"dividend", account, "--code", "600001", "--amount", "120"},
        {"subscribe", account, "--code", "600002", "--shares", "1000", "--price", "8"},
        {"won", account, "--row", "1", "--shares", "400"},
        {"subscribe", account, "--code", "600003", "--shares", "500", "--price", "4"},
    };
    for (const auto& command : session) {
        const CliResult r = run(command);
        EXPECT_EQ(r.status, 0) << command[0] << ": " << r.err;
    }
    // The 600003 subscription is the newest of the rows dated today: not won.
    CliResult r = run({"show", account, "--list", "trades"});
    ASSERT_NE(r.out.find("\t600003\t600003\t申购\t500\t"), std::string::npos) << r.out;
    const std::size_t line = std::count(r.out.begin(), r.out.begin() + r.out.find("600003"), '\n');
    r = run({"not-won", account, "--row", std::to_string(line)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "确认: 请确认 “申购 600003” 未中签!\n");
    EXPECT_EQ(run({"won", account, "--row", std::to_string(line), "--shares", "1"}).err,
              "错误: 请先选择申购交易!\n");

    r = run({"show", account, "--list", "holdings", "--list", "sold", "--list", "totals"});
    EXPECT_EQ(r.status, 0) << r.err;
    // 600001: 1000 bought for 10015.00, 500 sold for a net 5990.00 (moved as cost), 100 bonus;
    // 600002: 400 of 1000 allotted at 8.00.
    EXPECT_NE(r.out.find("\t600001\t邯郸钢铁\t600\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t4025.00\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t600002\t600002\t400\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t3200.00\t"), std::string::npos) << r.out;
    // The sold 600001: 500 shares, cost 5990.00, proceeds 5990.00 + the dividend of 120.00.
    EXPECT_NE(r.out.find("\t600001\t邯郸钢铁\t500\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t5990.00\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t6110.00\t120.00\t"), std::string::npos) << r.out;
    // Cash: 100000 − 10015 + 5990 + 120 − 3200 = 92895.
    EXPECT_NE(r.out.find("资金余额\t   92895.00\n"), std::string::npos) << r.out;
}

TEST_F(AccountCli, EditUndoAndDeleteFromTheCommandLine) {
    testing::writeSampleNames(data);
    data.account("zrdata", 1, "one", {});
    const std::string account = "zrdata/zr_00001.acc";
    for (const auto& command : std::vector<std::vector<std::string>>{
             {"buy", account, "--code", "600001", "--shares", "1000", "--price", "10", "--fee",
              "15", "--date", "2026-1-5"},
             {"sell", account, "--code", "600001", "--shares", "500", "--price", "12", "--fee",
              "10"},
             {"buy", account, "--code", "600002", "--shares", "100", "--price", "5", "--fee",
              "5"}}) {
        const CliResult r = run(command);
        ASSERT_EQ(r.status, 0) << command[0] << ": " << r.err;
    }
    // Rows: 1 the 600002 buy, 2 the sale, 3 the 600001 buy.
    CliResult r = run({"undo-trade", account, "--row", "3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 不是该股票的最后一次交易,不能撤消!\n");
    r = run({"edit-trade", account, "--row", "3", "--cost-basis", "1"});
    EXPECT_EQ(r.status, 2) << r.err;  // a buy's total is not typed
    r = run({"edit-trade", account, "--row", "2", "--cost-basis", "6000"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"show", account, "--list", "holdings", "--list", "sold"});
    EXPECT_NE(r.out.find("\t600001\t邯郸钢铁\t500\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t4015.00\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t6000.00\t"), std::string::npos) << r.out;

    r = run({"undo-trade", account, "--row", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"show", account, "--list", "holdings", "--list", "trades"});
    EXPECT_EQ(r.out.find("600002"), std::string::npos) << r.out;

    r = run({"delete-stock", account, "--code", "600001", "--sold"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "警告: 该操作将删除 “600001邯郸钢铁” 的所有交易记录!是否进行?\n");
    r = run({"show", account});
    EXPECT_EQ(r.out.find("600001"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("资金余额\t       0.00\n"), std::string::npos) << r.out;
    EXPECT_EQ(run({"delete-stock", account, "--code", "600001"}).status, 1);
}

TEST_F(AccountCli, OptionsAndNames) {
    CliResult r = run({"options", "--dirs", "zrdata;other", "--want-password", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "确认: 目录 “other” 不存在,是否创建?\n"
              "确认: 目录 “zrdata” 不存在,是否创建?\n");
    EXPECT_TRUE(data.fs().isDirectory("other"));
    EXPECT_TRUE(data.fs().isDirectory("zrdata"));

    r = run({"name", "600001", "浦发银行"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = run({"name", "600001", "浦发"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(data.dir().read(kNameTableFileName).size(), 12u);
    NameTable names;
    names.load(data.fs());
    EXPECT_EQ(names.nameOf("600001"), gbk("浦发"));

    EXPECT_EQ(run({"options", "--want-password", "2"}).status, 2);
}

}  // namespace
}  // namespace tallivan
