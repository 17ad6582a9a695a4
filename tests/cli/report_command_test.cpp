// tallivan-cli report and export --format csv --dir, end to end on a data directory.
#include <gtest/gtest.h>

#include "core/ledger_fixture.h"
#include "support/analysis_history.h"
#include "support/run_cli.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::DataDir;

class ReportCli : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::writeSampleNames(data);
        data.account("zrdata", 1, "one", testing::analysisHistory());
    }
    CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2025-03-31"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path());
    }
    DataDir data;
};

TEST_F(ReportCli, YearsReturnsAndTheDividendTaxAhead) {
    const CliResult r = run({"report", "zrdata/zr_00001.acc"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "[years]\n"
              "2024\t0.00\t420.00\t45.00\t100000.00\t-3000.00\n"
              "2025\t1978.00\t100.00\t17.00\t5000.00\t0.00\n"
              "total\t1978.00\t520.00\t62.00\t105000.00\t-3000.00\n"
              "[return]\n"
              "money-weighted\t6.74%\n"
              "simple\t8.30%\n"
              "[dividend-tax]\n"
              "600001\t1000\t17.00\n"
              "total\t17.00\n");
}

TEST_F(ReportCli, AnAccountWithNothingInItHasNoRates) {
    data.account("zrdata", 2, "empty", {});
    const CliResult r = run({"report", "zrdata/zr_00002.acc"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "[years]\n"
              "total\t0.00\t0.00\t0.00\t0.00\t0.00\n"
              "[return]\n"
              "money-weighted\t—\n"
              "simple\t—\n"
              "[dividend-tax]\n"
              "total\t0.00\n");
}

TEST_F(ReportCli, AGroupIsReportedWithAllItsAccounts) {
    data.account("zrdata", 2, "two",
                 {LedgerRecord::of(testing::dated(testing::trade(kBuy, "600002", 100, 10000, 5000),
                                                  2025, 3, 20))});
    const CliResult r = run({"report", "zrdata"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2025\t1978.00\t100.00\t22.00\t5000.00\t0.00\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("600001\t1000\t17.00\n600002\t100\t0.00\ntotal\t17.00\n"),
              std::string::npos)
        << r.out;
}

TEST_F(ReportCli, UsageErrors) {
    EXPECT_EQ(run({"report"}).status, 2);
    EXPECT_EQ(run({"report", "zrdata/zr_00001.acc", "--years"}).status, 2);
    EXPECT_EQ(run({"report", "nowhere"}).status, 1);
}

TEST_F(ReportCli, ExportAsCsvIntoTheGroupsOrAChosenDirectory) {
    CliResult r = run({"export", "zrdata/zr_00001.acc", "--format", "csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "提示: 是否输出数据到CSV文件?\n"
              "提示: 文件已输出到 “zrdata/” 目录下!\n");
    const std::string yearly = data.dir().read("zrdata/年度_one.csv");
    EXPECT_EQ(yearly.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(yearly.find("合计,1978.00,520.00,62.00,105000.00,-3000.00\r\n"), std::string::npos);
    EXPECT_NE(data.dir().read("zrdata/资金_one.csv").find("2025-03-25,增损,资金增损,-12.50,利息税"),
              std::string::npos);

    data.fs().makeDirectory("out");
    r = run({"export", "zrdata", "--format", "csv", "--dir", "out"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(data.dir().exists("out/交易_帐户组.csv"));
    r = run({"export", "zrdata/zr_00001.acc", "--dir", "out"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(data.dir().exists("out/交易_one.txt"));
    EXPECT_FALSE(data.dir().exists("zrdata/交易_one.txt"));

    r = run({"export", "zrdata/zr_00001.acc", "--format", "csv", "--dir", "gone"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 目录 “gone” 不存在!\n");
    EXPECT_EQ(run({"export", "zrdata/zr_00001.acc", "--format", "xlsx"}).status, 2);
}

}  // namespace
}  // namespace tallivan
