#include <gtest/gtest.h>

#include "core/ledger_fixture.h"
#include "core/market_test_support.h"
#include "ledger/ledger_rows.h"
#include "support/run_cli.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::DataDir;

class PriceAndExportCli : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::writeSampleNames(data);
        data.account("zrdata", 1, "one", testing::sampleLedger());
    }
    CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path());
    }
    // The 现价 text of the held position, as `show` prints its row.
    std::string currentPrice() {
        const std::string out = run({"show", account, "--list", "holdings"}).out;
        std::size_t at = out.rfind('\n', out.find("\t600001\t")) + 1;
        for (int c = 0; c < held_column::kCurrentPrice; ++c)
            at = out.find('\t', at) + 1;
        return out.substr(at, out.find('\t', at) - at);
    }
    DataDir data;
    const std::string account = "zrdata/zr_00001.acc";
};

TEST_F(PriceAndExportCli, UpdatePricesTypesTheSourceAndDirectoryIntoItsDialog) {
    testing::writeFileAt(data.path(), "ql/data/shase/day/600001.day", testing::oneDay(12340));
    testing::writeFileAt(data.path(), "cz/20261210.txt", "600001,a,11.119\r\n");

    CliResult r = run({"update-prices", account, "--source", "0", "--dir", "ql"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "600001\t12.34\t2024-05-17\n");
    EXPECT_EQ(r.err, "提示: 已更新 1 只股票的现价, 价格日期 2024-05-17。\n");
    EXPECT_EQ(currentPrice(), "12.34");

    r = run({"update-prices", "zrdata", "--source", "2", "--dir", "cz"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(currentPrice(), "11.11");

    // A missing source ends on its message; the directory typed is kept all the same.
    r = run({"update-prices", account, "--source", "0", "--dir", "nowhere"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 目录 “nowhere” 不存在!\n");
    r = run({"update-prices", account, "--source", "1", "--dir", "yz"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: yz/db/type.dat 不存在!\n");
    Settings stored = defaultSettings();
    loadSettings(data.fs(), stored);
    EXPECT_EQ(stored.priceSource, 1);
    EXPECT_EQ(fieldText(stored.priceSourceDirs[0], kPriceSourceDirSize), "nowhere");
    EXPECT_EQ(fieldText(stored.priceSourceDirs[2], kPriceSourceDirSize), "cz");
    EXPECT_EQ(currentPrice(), "11.11");

    EXPECT_EQ(run({"update-prices", account, "--source", "6", "--dir", "ql"}).status, 2);
    EXPECT_EQ(run({"update-prices", account, "--source", "0"}).status, 2);
    EXPECT_EQ(run({"update-prices", "elsewhere", "--source", "0", "--dir", "ql"}).status, 1);
}

// 32-byte day-line records of a trading client: date, open, high, low, close at 16, amount,
// volume, reserved.
std::string clientDays(std::uint32_t date, std::uint32_t close) {
    using testing::le32;
    return le32(date) + le32(close + 1) + le32(close + 2) + le32(close + 3) + le32(close) +
           testing::f32(1e6f) + le32(100) + le32(0);
}

TEST(UpdatePricesCli, TheClientsDayFilesGiveEachHoldingItsCloseOrItsReason) {
    DataDir data;
    const auto cli = [&data](std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path());
    };
    ASSERT_EQ(cli({"init"}).status, 0);
    ASSERT_EQ(cli({"add-account", "zrdata", "--date", "2026-01-05"}).status, 0);
    const std::string account = "zrdata/zr_00001.acc";
    for (const char* code : {"600519", "000858", "510300", "920002", "601318"}) {
        ASSERT_EQ(cli({"buy", account, "--code", code, "--shares", "100", "--price", "10", "--date",
                       "2026-01-06"})
                      .status,
                  0)
            << code;
    }
    // Without a whole record nothing is read, and every holding is left as it was.
    testing::writeFileAt(data.path(), "tdx/vipdoc/sh/lday/sh600519.day", std::string(20, '\1'));
    CliResult r = cli({"update-prices", account, "--source", "tdx", "--dir", "tdx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("600519\t-\t没有完整的记录\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("错误: 没有读到任何现价!"), std::string::npos) << r.err;

    testing::writeFileAt(data.path(), "tdx/vipdoc/sh/lday/sh600519.day",
                         clientDays(20261209, 165000) + clientDays(20261210, 164850));
    testing::writeFileAt(data.path(), "tdx/vipdoc/sz/lday/sz000858.day",
                         clientDays(20261210, 14325));
    testing::writeFileAt(data.path(), "tdx/vipdoc/sh/lday/sh510300.day",
                         clientDays(20261210, 3456));
    testing::writeFileAt(data.path(), "tdx/vipdoc/bj/lday/bj920002.day",
                         clientDays(20261209, 2188));
    r = cli({"update-prices", "zrdata", "--source", "3", "--dir", "tdx"});
    EXPECT_EQ(r.status, 0) << r.err;
    // In the list's order, the latest purchase first.
    EXPECT_EQ(r.out,
              "601318\t-\t没有日线文件\n"
              "920002\t21.88\t2026-12-09\n"
              "510300\t3.456\t2026-12-10\n"
              "000858\t143.25\t2026-12-10\n"
              "600519\t1648.50\t2026-12-10\n");
    EXPECT_EQ(r.err,
              "提示: 已更新 4 只股票的现价, 价格日期 2026-12-10。 没有现价: 601318 没有日线文件。 "
              "注意, 价格早于 2026-12-10: 920002 2026-12-09。\n");

    r = cli({"update-prices", account, "--source", "tdx", "--dir", "no-client"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "错误: 目录 “no-client” 不存在!\n");
}

TEST_F(PriceAndExportCli, ExportAnswersYesAndNamesTheDirectory) {
    const CliResult r = run({"export", account});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "提示: 是否输出数据到文本文件?\n"
              "提示: 文件已输出到 “zrdata/” 目录下!\n");
    const std::string trades = data.dir().read("zrdata/交易_one.txt");
    EXPECT_EQ(trades.size(), 3u * 142);
    EXPECT_EQ(trades.substr(0, 14), gbk("          日期"));
    for (const char* prefix : {"持有_", "卖出_", "资金_"})
        EXPECT_TRUE(data.dir().exists(std::string("zrdata/") + prefix + "one.txt")) << prefix;

    EXPECT_EQ(run({"export", account, "--row", "1"}).status, 2);
    EXPECT_EQ(run({"export"}).status, 2);
}

}  // namespace
}  // namespace tallivan
