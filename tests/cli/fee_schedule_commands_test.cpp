// Today's fee schedule from the command line: config --preset, fee --side, the rules of a row,
// init, and the launchers that set up a new data directory with it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::TempDir;

class FeeScheduleCli : public ::testing::Test {
  public:
    CliResult run(std::vector<std::string> args) { return runIn(dir.path(), std::move(args)); }
    CliResult runIn(const std::string& data, std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data, "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, dir.path());
    }
    std::string fee(const std::string& data, const char* code, const char* side) {
        return runIn(data,
                     {"fee", "--code", code, "--shares", "1000", "--price", "10", "--side", side})
            .out;
    }
    TempDir dir;
};

std::vector<std::string> tabbed(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');)
        cells.push_back(cell);
    return cells;
}

// The row of `code` in the holdings list as show prints it.
std::vector<std::string> holdingRow(const std::string& shown, const std::string& code) {
    std::stringstream in(shown);
    for (std::string line; std::getline(in, line);) {
        const auto cells = tabbed(line);
        if (cells.size() > 1 && cells[1] == code)
            return cells;
    }
    return {};
}

TEST_F(FeeScheduleCli, ThePresetPricesEachSideAndAHoldingSupposesASale) {
    // Under the old table both sides pay the same, and --side buy is the default.
    EXPECT_EQ(
        run({"fee", "--code", "600000", "--shares", "1000", "--price", "10", "--side", "sell"}).out,
        "category\t0\nfee\t81.00\n");
    const CliResult preset = run({"config", "--preset", "current"});
    EXPECT_EQ(preset.status, 0) << preset.err;
    EXPECT_EQ(preset.out, "");
    EXPECT_EQ(preset.err, "警告: 用现行费率替换全部20个分类的代码和费率吗?\n");
    EXPECT_EQ(fee(dir.path(), "600000", "sell"), "category\t0\nfee\t10.10\n");
    EXPECT_EQ(fee(dir.path(), "600000", "buy"), "category\t0\nfee\t5.10\n");
    EXPECT_EQ(run({"fee", "--code", "600000", "--shares", "1000", "--price", "10"}).out,
              "category\t0\nfee\t5.10\n");

    std::filesystem::create_directory(dir.file("zrdata"));
    const CliResult added = run({"add-account", "zrdata", "--title", "today"});
    ASSERT_EQ(added.status, 0) << added.err;
    const std::string account = "zrdata/zr_00001.acc";
    ASSERT_EQ(run({"fund", account, "--op", "deposit", "--amount", "100000"}).status, 0);
    const CliResult bought =
        run({"buy", account, "--code", "600000", "--shares", "1000", "--price", "50"});
    ASSERT_EQ(bought.status, 0) << bought.err;
    // Bought for 50000 + 12.50 + 0.50. Selling at 50.00 would cost 12.50 + 25.00 + 0.50; the
    // break-even price is 50.06 (50.05 nets 50011.96), where a purchase's fee would give 50.03.
    const std::vector<std::string> row =
        holdingRow(run({"show", account, "--list", "holdings"}).out, "600000");
    ASSERT_GT(row.size(), 10u);
    EXPECT_EQ(row[4], "50.00");     // 买价
    EXPECT_EQ(row[5], "50013.00");  // 总买价
    EXPECT_EQ(row[7], "49962.00");  // 总现价
    EXPECT_EQ(row[8], "-51.00");    // 盈亏
    EXPECT_EQ(row[10], "50.06");    // 保本价

    // The sale itself pays the stamp tax.
    const CliResult sold =
        run({"sell", account, "--code", "600000", "--shares", "1000", "--price", "50"});
    ASSERT_EQ(sold.status, 0) << sold.err;
    const std::string trades = run({"show", account, "--list", "trades"}).out;
    EXPECT_NE(trades.find("\t卖出\t1000\t50.00\t38.00\t49962.00\t-51.00\t-0.10%\n"),
              std::string::npos)
        << trades;
}

TEST_F(FeeScheduleCli, ARowsRulesAreSetWithItsValues) {
    const CliResult r = run({"config",
                             "3",
                             "--name",
                             "创业板",
                             "--code-length",
                             "6",
                             "--prefix",
                             "30",
                             "--commission-rate",
                             "0.025",
                             "--min-commission",
                             "5",
                             "--stamp-tax-rate",
                             "0.05",
                             "--transfer-fee",
                             "0.001",
                             "--min-transfer-fee",
                             "0",
                             "--order-fee",
                             "0",
                             "--stamp-on-sales-only",
                             "1",
                             "--transfer-of-amount",
                             "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fee(dir.path(), "300750", "buy"), "category\t3\nfee\t5.10\n");
    EXPECT_EQ(fee(dir.path(), "300750", "sell"), "category\t3\nfee\t10.10\n");
    // The stamp tax on both sides again; the rates stay as they were.
    EXPECT_EQ(run({"config", "3", "--stamp-on-sales-only", "0"}).status, 0);
    EXPECT_EQ(fee(dir.path(), "300750", "buy"), "category\t3\nfee\t10.10\n");
}

TEST_F(FeeScheduleCli, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"fee", "--code", "600000", "--shares", "1000", "--price", "10", "--side", "both"},
        {"config", "--preset", "old"},
        {"config", "0", "--preset", "current"},
        {"config", "--preset", "current", "--name", "x"},
        {"config", "0", "--stamp-on-sales-only", "2"},
        {"config", "0", "--transfer-of-amount", "yes"},
        {"init", "extra"},
    };
    for (const auto& args : cases) {
        const CliResult r = run(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args[1];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(dir.exists("zrstk.cfg"));  // nothing was saved
}

// A new data directory prices today's boards, funds and bonds by today's rules.
void expectTodaysPrices(FeeScheduleCli& test, const std::string& data) {
    const struct {
        const char* code;
        const char* buy;
        const char* sell;
    } cases[] = {{"000001", "1\nfee\t5.10\n", "1\nfee\t10.10\n"},
                 {"300750", "2\nfee\t5.10\n", "2\nfee\t10.10\n"},
                 {"688981", "3\nfee\t5.10\n", "3\nfee\t10.10\n"},
                 {"510300", "7\nfee\t5.00\n", "7\nfee\t5.00\n"},
                 {"113050", "10\nfee\t5.00\n", "10\nfee\t5.00\n"}};
    for (const auto& c : cases) {
        EXPECT_EQ(test.fee(data, c.code, "buy"), std::string("category\t") + c.buy) << c.code;
        EXPECT_EQ(test.fee(data, c.code, "sell"), std::string("category\t") + c.sell) << c.code;
    }
}

TEST_F(FeeScheduleCli, InitSetsUpANewDataDirectoryOnce) {
    const std::string data = dir.file("new");  // not there yet
    const CliResult r = runIn(data, {"init"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(std::filesystem::is_directory(data + "/zrdata"));
    expectTodaysPrices(*this, data);
    EXPECT_EQ(runIn(data, {"tree"}).out, "group\tzrdata\t帐户组\n");

    // Once is enough: a second init leaves the directory as it is.
    runIn(data, {"config", "0", "--order-fee", "1"});
    const CliResult again = runIn(data, {"init"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "错误: 数据目录已有设置文件 zrstk.cfg,未作改动。\n");
    EXPECT_EQ(fee(data, "600000", "buy"), "category\t0\nfee\t6.10\n");
}

// The installed launcher and `make run` start a new data directory through init, and leave an
// existing one as it is. The desktop program is stood in for by a script that only reports
// where it was started.
TEST_F(FeeScheduleCli, TheLaunchersSetUpOnlyANewDataDirectory) {
    const std::string bin = dir.file("bin");
    std::filesystem::create_directory(bin);
    std::filesystem::create_symlink(TALLIVAN_CLI_PATH, bin + "/tallivan-cli");
    {
        std::ofstream program(bin + "/tallivan");
        program << "#!/bin/sh\npwd > \"$STARTED_IN\"\n";
    }
    std::filesystem::permissions(bin + "/tallivan", std::filesystem::perms::owner_all);
    const std::string source = TALLIVAN_SOURCE_DIR;
    std::filesystem::copy_file(source + "/desktop/tallivan-launch", bin + "/tallivan-launch");
    const std::string started = dir.file("started");
    using testing::shellQuote;
    // Each launcher's command line for a data directory.
    const struct {
        const char* name;
        std::string (*command)(const std::string& bin, const std::string& data);
    } launchers[] = {
        {"launcher",
         [](const std::string& bin, const std::string& data) {
             return "TALLIVAN_DATA=" + shellQuote(data) + " " +
                    shellQuote(bin + "/tallivan-launch");
         }},
        {"make run",
         [](const std::string& bin, const std::string& data) {
             return "QT_QPA_PLATFORM=offscreen sh " +
                    shellQuote(std::string(TALLIVAN_SOURCE_DIR) + "/scripts/run-desktop.sh") + " " +
                    shellQuote(bin + "/tallivan") + " " + shellQuote(data);
         }},
    };
    const auto launch = [&](const auto& launcher, const std::string& data) {
        const std::string command =
            "STARTED_IN=" + shellQuote(started) + " " + launcher.command(bin, data);
        return std::system(command.c_str());
    };
    for (const auto& l : launchers) {
        SCOPED_TRACE(l.name);
        const std::string data = dir.file(std::string("data ") + l.name);
        ASSERT_EQ(launch(l, data), 0);
        std::ifstream in(started);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  std::filesystem::canonical(data).string() + "\n");
        expectTodaysPrices(*this, data);

        // An existing directory without settings (as older launchers left it) stays on the
        // table it has always computed with.
        const std::string old = data + " old";
        std::filesystem::create_directories(old + "/zrdata");
        ASSERT_EQ(launch(l, old), 0);
        EXPECT_FALSE(std::filesystem::exists(old + "/zrstk.cfg"));
        EXPECT_EQ(fee(old, "600000", "buy"), "category\t0\nfee\t81.00\n");
    }
}

}  // namespace
}  // namespace tallivan
