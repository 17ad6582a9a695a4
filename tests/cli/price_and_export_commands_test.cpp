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
    EXPECT_EQ(r.err, "");
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

    EXPECT_EQ(run({"update-prices", account, "--source", "3", "--dir", "ql"}).status, 2);
    EXPECT_EQ(run({"update-prices", account, "--source", "0"}).status, 2);
    EXPECT_EQ(run({"update-prices", "elsewhere", "--source", "0", "--dir", "ql"}).status, 1);
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
