#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::TempDir;

class CliTest : public ::testing::Test {
  protected:
    CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", dir.path(), "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, dir.path());
    }
    TempDir dir;
};

TEST_F(CliTest, FeeOfAShanghaiPurchase) {
    const CliResult r = run({"fee", "--code", "600000", "--shares", "1000", "--price", "10"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "category\t0\nfee\t81.00\n");
    EXPECT_EQ(run({"fee", "--code", "300001", "--shares", "100", "--price", "9"}).out,
              "category\t-1\nfee\t0.00\n");
    EXPECT_EQ(run({"fee", "--code", "0001", "--shares", "1500", "--price", "12.34"}).out,
              "category\t1\nfee\t143.83\n");
}

TEST_F(CliTest, BudgetPrintsTheSixResultFields) {
    const CliResult r =
        run({"budget", "--category", "0", "--shares", "1000", "--buy", "10", "--sell", "10.5"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "买税费\t81\n总买价\t10081\n卖税费\t84.75\n总卖价\t10415.25\n净赢利\t334.25\n"
              "赢利率\t  3.32%\n");
}

TEST_F(CliTest, BudgetWithAnInvalidFieldReportsItAndComputesNothing) {
    const CliResult r =
        run({"budget", "--category", "0", "--shares", "1000", "--buy", "10", "--sell", "abc"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 'abc' 为无效值,请重新输入！\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(CliTest, ConfigChangesARowAndTheNextFeeUsesIt) {
    const CliResult c = run(
        {"config", "0", "--commission-rate", "0.1", "--min-commission", "5", "--order-fee", "0"});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.out, "");
    EXPECT_TRUE(dir.exists("zrstk.cfg"));
    // 10000 * 0.1 % = 10, stamp 40, transfer 1, no order fee
    EXPECT_EQ(run({"fee", "--code", "600000", "--shares", "1000", "--price", "10"}).out,
              "category\t0\nfee\t51.00\n");

    EXPECT_EQ(
        run({"config", "5", "--name", "创业板", "--code-length", "6", "--prefix", "3"}).status, 0);
    EXPECT_EQ(run({"fee", "--code", "300001", "--shares", "1000", "--price", "10"}).out,
              "category\t5\nfee\t5.00\n");
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"nonsense"},
        {"fee", "--code", "600000", "--shares", "1000"},
        {"fee", "--code", "600000", "--shares", "x", "--price", "10"},
        {"fee", "--bogus", "1"},
        {"config", "20"},
        {"config", "-1", "--name", "x"},
        {"budget", "--category", "25", "--shares", "1", "--buy", "1", "--sell", "1"},
    };
    for (const auto& args : cases) {
        const CliResult r = run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(testing::runCli(TALLIVAN_CLI_PATH, {}, dir.path()).status, 2);
}

TEST_F(CliTest, ANegativeValueAfterAnOptionIsItsValue) {
    const CliResult r =
        run({"budget", "--category", "2", "--shares", "-100", "--buy", "-1", "--sell", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace tallivan
