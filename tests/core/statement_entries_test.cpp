#include <gtest/gtest.h>

#include "base/gbk.h"
#include "statement/statement_columns.h"
#include "statement/statement_entries.h"
#include "statement/statement_operations.h"
#include "statement/statement_text.h"

namespace tallivan {
namespace {

std::vector<std::string> gbkCells(std::initializer_list<const char*> texts) {
    std::vector<std::string> cells;
    for (const char* t : texts)
        cells.push_back(gbk(t));
    return cells;
}

TEST(StatementColumns, CaptionsOfEveryBrokerAndTheNameListedFirst) {
    const auto columns = recogniseHeader(gbkCells(
        {"成交日期", "摘要", "证券名称", "合同编号", "成交数量", "成交均价", "成交金额", "手续费",
         "印花税", "其他杂费", "发生金额", "股东帐户", "备注", "操作", "证券代码"}));
    ASSERT_TRUE(columns);
    EXPECT_EQ((*columns)[StatementField::Date], 0u);
    EXPECT_EQ((*columns)[StatementField::Code], 14u);
    EXPECT_EQ((*columns)[StatementField::Price], 5u);
    EXPECT_EQ((*columns)[StatementField::NetAmount], 10u);
    EXPECT_EQ((*columns)[StatementField::Id], 3u);
    EXPECT_EQ(columns->feeParts, (std::vector<std::size_t>{7, 8, 9}));
    // 操作 is listed before 摘要: it wins, and 摘要 is asked next.
    EXPECT_EQ(columns->operations, (std::vector<std::size_t>{13, 1}));

    // 成交日期 wins over 交收日期 wherever it stands; a unit after a caption does not matter;
    // a fee given twice counts once.
    const auto other = recogniseHeader(
        gbkCells({"交收日期", "业务名称", "成交价格(元)", "成交数量", "成交日期", "佣金", "佣金"}));
    ASSERT_TRUE(other);
    EXPECT_EQ((*other)[StatementField::Date], 4u);
    EXPECT_EQ((*other)[StatementField::Price], 2u);
    EXPECT_EQ(other->feeParts, std::vector<std::size_t>{5});

    // No operation, or nothing that moves: no header.
    EXPECT_FALSE(recogniseHeader(gbkCells({"成交日期", "证券代码", "成交数量"})));
    EXPECT_FALSE(recogniseHeader(gbkCells({"成交日期", "操作", "证券代码"})));
}

TEST(StatementColumns, TitleLinesBeforeTheHeader) {
    std::vector<StatementLine> lines = {
        {1, gbkCells({"历史成交查询"}), false},
        {2, gbkCells({"日期", "说明"}), false},
        {3, gbkCells({"日期", "操作", "成交数量"}), false},
    };
    const auto header = findHeader(lines);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->line, 2u);
    EXPECT_FALSE(findHeader({lines[0], lines[1]}));
}

TEST(StatementOperations, MeaningsSkipsAndBothSpellings) {
    const struct {
        const char* text;
        StatementOperation operation;
        const char* reason;
    } cases[] = {
        {"证券买入", StatementOperation::Buy, ""},
        {" 担保物买入 ", StatementOperation::Buy, ""},
        {"普通卖出", StatementOperation::Sell, ""},
        {"红利入账", StatementOperation::Dividend, ""},
        {"红利入帐", StatementOperation::Dividend, ""},
        {"股息个税征收", StatementOperation::DividendTax, ""},
        {"红股入帐", StatementOperation::BonusShares, ""},
        {"配股缴款", StatementOperation::RightsIssue, ""},
        {"新股入账", StatementOperation::NewShares, ""},
        {"银证转入", StatementOperation::Deposit, ""},
        {"证券转银行", StatementOperation::Withdrawal, ""},
        {"利息归本", StatementOperation::Interest, ""},
        {"融券购回", StatementOperation::Skipped, "逆回购"},
        {"撤单", StatementOperation::Skipped, "撤单"},
        {"托管转出", StatementOperation::Skipped, "托管转出"},
        {"银行转存", StatementOperation::Deposit, ""},
        {"银行转取", StatementOperation::Withdrawal, ""},
        {"证券买入(贵州茅台)", StatementOperation::Buy, ""},
        {"证券卖出（贵州茅台）", StatementOperation::Sell, ""},
        {"红利", StatementOperation::Dividend, ""},
        {"股息红利差异扣税", StatementOperation::DividendTax, ""},
        {"拆出质押购回", StatementOperation::Skipped, "逆回购"},
        {"中签扣款", StatementOperation::Skipped, "中签扣款"},
        {"新股入帐", StatementOperation::NewShares, ""},
        {"融资买入", StatementOperation::Unknown, ""},
        {"", StatementOperation::Unknown, ""},
    };
    for (const auto& c : cases) {
        const OperationMeaning m = operationMeaning(gbk(c.text));
        EXPECT_EQ(m.operation, c.operation) << c.text;
        EXPECT_EQ(m.reason, gbk(c.reason)) << c.text;
    }
    EXPECT_TRUE(isReverseRepoCode("204001"));
    EXPECT_TRUE(isReverseRepoCode("131810"));
    EXPECT_FALSE(isReverseRepoCode("600000"));
}

// The columns of a small statement: the net amount, the fees as two parts.
const std::vector<const char*> kCaptions = {"成交日期", "成交时间", "操作",   "证券代码",
                                            "成交数量", "成交价格", "手续费", "印花税",
                                            "发生金额", "成交金额"};

StatementEntry mapped(std::initializer_list<const char*> cells, bool cut = false) {
    std::vector<std::string> header;
    for (const char* caption : kCaptions)
        header.push_back(gbk(caption));
    const auto columns = recogniseHeader(header);
    return mapStatementLine(StatementLine{7, gbkCells(cells), cut}, *columns);
}

TEST(StatementEntries, RowsMapToLedgerCommands) {
    const struct {
        std::initializer_list<const char*> cells;
        ImportStatus status;
        ImportCommand command;
        const char* code;
        std::int32_t shares;
        std::int64_t price, fee, amount;  // milli-yuan
        const char* note;
    } cases[] = {
        {{"20230214", "09:31:22", "证券买入", "600000", "1000", "10.00", "5", "0", "-10005.00",
          "10000"},
         ImportStatus::New,
         ImportCommand::Buy,
         "600000",
         1000,
         10000,
         5000,
         0,
         ""},
        // A sale, its shares negative as some brokers write them; the code without its zeros.
        {{"20230301", "", "卖出", "1", "-500", "11", "5", "5.5", "5489.5", "5500"},
         ImportStatus::New,
         ImportCommand::Sell,
         "000001",
         500,
         11000,
         10500,
         0,
         ""},
        // Prices and fees are kept to the cent, as typing them would.
        {{"20230301", "", "卖出", "1", "100", "1.234", "0.125", "", "123.28", ""},
         ImportStatus::New,
         ImportCommand::Sell,
         "000001",
         100,
         1230,
         -280,
         0,
         "按发生金额税费为 -0.28, 与费用栏 0.13 不符"},
        {{"20230301", "", "买入", "600000", "100", "10", "5", "", "-1020", ""},
         ImportStatus::New,
         ImportCommand::Buy,
         "600000",
         100,
         10000,
         20000,
         0,
         "按发生金额税费为 20.00, 与费用栏 5.00 不符"},
        {{"20230510", "", "股息入帐", "1", "2000", "", "", "", "300", ""},
         ImportStatus::New,
         ImportCommand::Dividend,
         "000001",
         0,
         0,
         0,
         300000,
         ""},
        {{"20230512", "", "股息红利税补", "1", "", "", "", "", "-30", ""},
         ImportStatus::New,
         ImportCommand::Dividend,
         "000001",
         0,
         0,
         0,
         -30000,
         ""},
        {{"20230601", "", "送股", "1", "400", "--", "", "", "", ""},
         ImportStatus::New,
         ImportCommand::BonusShares,
         "000001",
         400,
         0,
         0,
         0,
         ""},
        {{"20230801", "", "配股缴款", "600000", "300", "8", "1", "", "-2400", ""},
         ImportStatus::New,
         ImportCommand::RightsIssue,
         "600000",
         300,
         8000,
         0,
         0,
         ""},
        {{"20230201", "", "银证转入", "", "", "", "", "", "100000", ""},
         ImportStatus::New,
         ImportCommand::Deposit,
         "",
         0,
         0,
         0,
         100000000,
         ""},
        {{"20230610", "", "银证转出", "", "", "", "", "", "5000", ""},  // sign from the operation
         ImportStatus::New,
         ImportCommand::Withdrawal,
         "",
         0,
         0,
         0,
         -5000000,
         ""},
        {{"20230621", "", "利息归本", "", "", "", "", "", "", "1.23"},  // the amount, no net
         ImportStatus::New,
         ImportCommand::Adjustment,
         "",
         0,
         0,
         0,
         1230,
         ""},
        // Skipped, with the reason.
        {{"20230703", "", "证券买入", "204001", "10", "100", "", "", "-1000", ""},
         ImportStatus::Skipped,
         ImportCommand::Buy,
         "204001",
         0,
         0,
         0,
         0,
         "逆回购"},
        {{"20230704", "", "指定交易", "600000", "", "", "", "", "", ""},
         ImportStatus::Skipped,
         ImportCommand::None,
         "600000",
         0,
         0,
         0,
         0,
         "指定交易"},
        {{"20230705", "", "查询", "", "0", "", "", "", "0", ""},
         ImportStatus::Skipped,
         ImportCommand::None,
         "",
         0,
         0,
         0,
         0,
         "不涉及资金和股份"},
        {{"20230706", "", "银证转入", "", "", "", "", "", "0", ""},
         ImportStatus::Skipped,
         ImportCommand::Deposit,
         "",
         0,
         0,
         0,
         0,
         "不涉及资金和股份"},
        // Unknown, with its text.
        {{"20230815", "", "融资买入", "600000", "100", "10", "", "", "-1000", ""},
         ImportStatus::Unknown,
         ImportCommand::None,
         "600000",
         0,
         0,
         0,
         0,
         "融资买入"},
        // Invalid, with the reason.
        {{"2023-02-30", "", "证券买入", "600000", "100", "10", "", "", "", ""},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "600000",
         0,
         0,
         0,
         0,
         "日期 '2023-02-30' 无效"},
        {{"20230214", "", "证券买入", "60000X", "100", "10", "", "", "", ""},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "",
         0,
         0,
         0,
         0,
         "代码 '60000X' 无效"},
        {{"20230214", "", "证券买入", "600000", "1O0", "10", "", "", "", ""},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "600000",
         0,
         0,
         0,
         0,
         "股数 '1O0' 无效"},
        {{"20230214", "", "证券买入", "600000", "100.5", "10", "", "", "", ""},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "600000",
         0,
         0,
         0,
         0,
         "股数 '100.5' 无效"},
        {{"20230214", "", "证券买入", "600000", "100", "", "", "", "", ""},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "600000",
         100,
         0,
         0,
         0,
         "价格 '' 无效"},
        {{"20230214", "", "证券买入", "600000", "100", "10", "5,0", "", "", ""},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "600000",
         100,
         10000,
         0,
         0,
         "税费 '5,0' 无效"},
        {{"20230201", "", "银证转入", "", "", "", "", "", "3000000", ""},
         ImportStatus::Invalid,
         ImportCommand::Deposit,
         "",
         0,
         0,
         0,
         3000000000,
         "金额超出范围"},
        {{"20230301", "", "卖出", "600000", "100", "10", "5", "", "-1e300", ""},
         ImportStatus::Invalid,
         ImportCommand::Sell,
         "600000",
         0,
         0,
         0,
         0,
         "金额 '-1e300' 无效"},
        {{"20230214", "", "证券买入", "600000", "100"},
         ImportStatus::Invalid,
         ImportCommand::Buy,
         "600000",
         0,
         0,
         0,
         0,
         "行不完整"},
    };
    for (const auto& c : cases) {
        const StatementEntry e = mapped(c.cells);
        const std::string what = gbkToUtf8(e.cells[2]) + " " + gbkToUtf8(e.note);
        EXPECT_EQ(e.line, 7) << what;
        EXPECT_EQ(e.status, c.status) << what;
        EXPECT_EQ(e.command, c.command) << what;
        EXPECT_EQ(e.code, c.code) << what;
        EXPECT_EQ(e.shares, c.shares) << what;
        EXPECT_EQ(e.price, c.price) << what;
        EXPECT_EQ(e.fee, c.fee) << what;
        EXPECT_EQ(e.amount, c.amount) << what;
        EXPECT_EQ(e.note, gbk(c.note)) << what;
    }
}

TEST(StatementEntries, TheLargestNumbersAreComparedWithoutOverflow) {
    // The fee the cash implies is far beyond what a trade keeps: the row cannot be recorded.
    for (const char* net : {"999999999999999", "-999999999999999", "0.01"}) {
        const StatementEntry e = mapped({"20230301", "", "卖出", "600000", "2147483647",
                                         "2147483.64", "2147483.64", "0", net, ""});
        EXPECT_EQ(e.status, ImportStatus::Invalid) << net;
        EXPECT_EQ(e.shares, 2147483647) << net;
        EXPECT_EQ(e.price, 2147483640) << net;
        EXPECT_EQ(e.note, gbk("税费超出范围")) << net;
    }
    // Without a net amount the fee columns give the fee.
    const StatementEntry e = mapped(
        {"20230301", "", "卖出", "600000", "2147483647", "2147483.64", "2147483.64", "0", "", ""});
    EXPECT_EQ(e.status, ImportStatus::New);
    EXPECT_EQ(e.fee, 2147483640);
}

TEST(StatementEntries, DatesTimesAndACutLine) {
    const StatementEntry e =
        mapped({"20230214", "09:31:22", "买入", "600000", "1000", "10", "", "", "", ""});
    EXPECT_EQ(e.date, (Date{2023, 2, 14}));
    EXPECT_EQ(e.time, 93122);
    EXPECT_EQ(e.operationText, gbk("买入"));
    const StatementEntry cut =
        mapped({"20230214", "09:31:22", "买入", "600000", "1000", "10", "", "", "", "1"}, true);
    EXPECT_EQ(cut.status, ImportStatus::Invalid);
    EXPECT_EQ(cut.note, gbk("行不完整"));
}

TEST(StatementEntries, TheCashDecidesTheFee) {
    const auto columns =
        recogniseHeader(gbkCells({"日期", "操作", "证券代码", "成交数量", "成交价格", "手续费",
                                  "佣金", "过户费", "印花税", "发生金额"}));
    ASSERT_TRUE(columns);
    const struct {
        const char* what;
        std::vector<std::string> cells;
        std::int64_t fee;
        const char* note;
        const char* detail;
    } cases[] = {
        {"手续费 holds 佣金 and 过户费 again",
         gbkCells(
             {"20230214", "买入", "600000", "1000", "10", "5.20", "5", "0.20", "0", "-10005.20"}),
         5200, "", "手续费 5.20 + 佣金 5.00 + 过户费 0.20"},
        {"a sale of negative shares",
         gbkCells(
             {"20230301", "卖出", "600000", "-500", "11", "5.11", "5", "0.11", "5.50", "5489.39"}),
         10610, "", "手续费 5.11 + 佣金 5.00 + 过户费 0.11 + 印花税 5.50"},
        {"a fee the columns cannot explain",
         gbkCells({"20230214", "买入", "600000", "1000", "10", "5", "", "", "", "-10007"}), 7000,
         "按发生金额税费为 7.00, 与费用栏 5.00 不符", "手续费 5.00"},
        {"no net amount: the columns are added",
         gbkCells({"20230214", "买入", "600000", "1000", "10", "5", "5", "0.20", "---", ""}), 10200,
         "", "手续费 5.00 + 佣金 5.00 + 过户费 0.20"},
    };
    for (const auto& c : cases) {
        const StatementEntry e = mapStatementLine({2, c.cells, false}, *columns);
        EXPECT_EQ(e.status, ImportStatus::New) << c.what;
        EXPECT_EQ(e.fee, c.fee) << c.what;
        EXPECT_EQ(e.note, gbk(c.note)) << c.what;
        EXPECT_EQ(e.feeDetail, gbk(c.detail)) << c.what;
    }
}

TEST(StatementEntries, WithoutFeeColumnsTheNetAmountGivesTheFee) {
    std::vector<std::string> header =
        gbkCells({"日期", "操作", "证券代码", "成交数量", "成交价", "收付金额"});
    const auto columns = recogniseHeader(header);
    ASSERT_TRUE(columns);
    const StatementEntry buy = mapStatementLine(
        {2, gbkCells({"20230214", "买入", "600000", "1000", "10", "-10005.2"}), false}, *columns);
    EXPECT_EQ(buy.fee, 5200);
    EXPECT_EQ(buy.note, "");
    const StatementEntry sale = mapStatementLine(
        {3, gbkCells({"20230214", "卖出", "600000", "1000", "10", "9989.39"}), false}, *columns);
    EXPECT_EQ(sale.fee, 10610);
}

}  // namespace
}  // namespace tallivan
