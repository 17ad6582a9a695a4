#include <gtest/gtest.h>

#include "core/ledger_fixture.h"
#include "support/run_cli.h"
#include "support/statement_fixtures.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::DataDir;

class ImportCli : public ::testing::Test {
  protected:
    ImportCli() { account = data.account("zrdata", 1, "one", {}); }

    CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2026-12-10"});
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path());
    }
    // Writes `bytes` as a statement beside the data directory and imports it.
    CliResult import(const std::string& bytes, bool dryRun) {
        statements.write("statement.xls", bytes);
        std::vector<std::string> args = {"import", account, statements.file("statement.xls")};
        if (dryRun)
            args.push_back("--dry-run");
        return run(args);
    }

    DataDir data;
    testing::TempDir statements;
    std::string account;
};

const std::string kStatement =
    gbk("历史成交\r\n"
        "成交日期\t成交时间\t业务名称\t证券代码\t成交数量\t成交价格\t总费用\t清算金额\r\n"
        "=\"20230214\"\t=\"09:31:22\"\t证券买入\t=\"600000\"\t1000\t10.00\t5.20\t-10005.20\r\n"
        "=\"20230215\"\t\t红利入帐\t=\"600000\"\t1000\t0\t0\t120.00\r\n"
        "=\"20230216\"\t\t银证转出\t\t0\t0\t0\t-500.00\r\n"
        "=\"20230217\"\t\t证券卖出\t=\"600000\"\t400\t11.00\t5.00\t4400.00\r\n"
        "=\"20230218\"\t\t指定交易\t\t0\t0\t0\t0\r\n"
        "=\"20230219\"\t\t融资买入\t=\"600000\"\t100\t10.00\t0\t-1000.00\r\n"
        "=\"20230220\"\t\t证券卖出\t=\"600000\"\t1000\t11.00\t5.00\t10995.00\r\n"
        "=\"20230221\"\t\t证券买入\t=\"600000\"\tabc\t10.00\t5.00\t-1005.00\r\n");

const std::string kPreview =
    "new\t2023-02-14\tbuy\t600000\t1000\t10.00\t5.20\t\n"
    "new\t2023-02-15\tdividend\t600000\t0\t0.00\t120.00\t\n"
    "new\t2023-02-16\twithdraw\t\t0\t0.00\t-500.00\t\n"
    // The cash decides the fee; the fee column that says otherwise is named in the note.
    "new\t2023-02-17\tsell\t600000\t400\t11.00\t0.00\t按发生金额税费为 0.00, 与费用栏 5.00 "
    "不符\n"
    "skipped\t2023-02-18\t\t\t0\t0.00\t0.00\t指定交易\n"
    "unknown\t2023-02-19\t\t600000\t0\t0.00\t0.00\t融资买入\n"
    "invalid\t2023-02-20\tsell\t600000\t1000\t11.00\t5.00\t卖出股数大于持有股数\n"
    "invalid\t2023-02-21\tbuy\t600000\t0\t0.00\t0.00\t股数 'abc' 无效\n";

TEST_F(ImportCli, ADryRunPrintsEveryRowAndRecordsNothing) {
    const std::string before = data.dir().read(account);
    const CliResult r = import(kStatement, true);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              kPreview + "total\t4 new, 0 duplicate, 1 skipped, 1 unknown, 2 invalid\t-5985.20\n");
    EXPECT_EQ(data.dir().read(account), before);
}

TEST_F(ImportCli, AnImportRecordsTheNewRowsAndASecondOneNothing) {
    const CliResult r = import(kStatement, false);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              kPreview + "total\t4 new, 0 duplicate, 1 skipped, 1 unknown, 2 invalid\t-5985.20\n");
    const CliResult shown = run({"show", account, "--list", "trades", "--list", "funds"});
    EXPECT_EQ(shown.out,
              "[trades]\n"
              "5\t23-02-17\t600000\t600000\t卖出\t400\t11.00\t0.00\t4400.00\t0.00\t0.00%\n"
              "9\t23-02-15\t600000\t600000\t红利\t0\t0.00\t120.00\t120.00\t\t\n"
              "6\t23-02-14\t600000\t600000\t买入\t1000\t10.00\t5.20\t-10005.20\t\t\n"
              "[funds]\n"
              "14\t23-02-16\t交割单\t资金支取\t-500.00\t银证转出\t\t\n");

    const std::string recorded = data.dir().read(account);
    const CliResult again = import(kStatement, false);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find(
                  "duplicate\t2023-02-14\tbuy\t600000\t1000\t10.00\t5.20\t账户已有同样的记录\n"),
              std::string::npos);
    EXPECT_NE(again.out.find("total\t0 new, 4 duplicate, 1 skipped, 1 unknown, 2 invalid\t0.00\n"),
              std::string::npos);
    EXPECT_EQ(data.dir().read(account), recorded);
}

TEST_F(ImportCli, EveryLayoutOfTheSampleHistory) {
    const auto history = testing::sampleHistory();
    for (const std::string& bytes :
         {testing::tabStatement(history), testing::commaStatement(history),
          testing::utf8Statement(history), testing::workbookStatement(history),
          testing::overlappingFeesStatement(history), testing::htmlStatement(history),
          testing::alignedTextStatement(history), testing::serialDatesWorkbook(history)}) {
        const CliResult r = import(bytes, true);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("new\t2023-06-21\tadjust\t\t0\t0.00\t1.23\t\n"), std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("unknown\t2023-08-15\t\t732999\t0\t0.00\t0.00\t新股申购\n"),
                  std::string::npos)
            << r.out;
        // The new rows move the cash the statement's balance shows at its end.
        EXPECT_NE(
            r.out.find("total\t11 new, 0 duplicate, 2 skipped, 1 unknown, 0 invalid\t58347.92\n"),
            std::string::npos)
            << r.out;
    }
}

TEST_F(ImportCli, AFileThatCannotBeReadOrHasNoHeaderFails) {
    const CliResult missing = run({"import", account, statements.file("none.csv"), "--dry-run"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "错误: 读文件出错! “" + statements.file("none.csv") + "”\n");

    const CliResult noHeader = import(gbk("日期,摘要\r\n20230214,买入\r\n"), true);
    EXPECT_EQ(noHeader.status, 1);
    EXPECT_EQ(noHeader.out, "");
    EXPECT_EQ(noHeader.err,
              "错误: 文件 “" + statements.file("statement.xls") + "” 中没有可识别的交割单表头!\n");

    EXPECT_EQ(run({"import", account}).status, 2);
    EXPECT_EQ(run({"import", "zrdata", statements.file("statement.xls")}).status, 1);
}

}  // namespace
}  // namespace tallivan
