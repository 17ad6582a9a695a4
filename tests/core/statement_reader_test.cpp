#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "base/gbk.h"
#include "statement/statement_reader.h"
#include "statement/xlsx_reader.h"
#include "support/statement_fixtures.h"

namespace tallivan {
namespace {

using testing::sampleHistory;

// What a row maps to, comparable across layouts.
using Mapped = std::tuple<int, int, int, ImportStatus, ImportCommand, std::string, std::int32_t,
                          std::int64_t, std::int64_t, std::int64_t, std::string>;

std::vector<Mapped> mappedRows(const StatementPreview& p) {
    std::vector<Mapped> rows;
    for (const StatementEntry& e : p.entries) {
        const Date d = e.date.value_or(Date{});
        rows.emplace_back(d.year, d.month, d.day, e.status, e.command, e.code, e.shares, e.price,
                          e.fee, e.amount, gbkToUtf8(e.note));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(StatementReader, EveryBrokersLayoutReadsTheSameHistory) {
    using S = ImportStatus;
    using C = ImportCommand;
    std::vector<Mapped> expected = {
        {2023, 2, 1, S::New, C::Deposit, "", 0, 0, 0, 100000000, ""},
        {2023, 2, 14, S::New, C::Buy, "600000", 1000, 10000, 5200, 0, ""},
        {2023, 2, 20, S::New, C::Buy, "000001", 2000, 12500, 7500, 0, ""},
        {2023, 3, 1, S::New, C::Sell, "600000", 500, 11000, 10610, 0, ""},
        {2023, 5, 10, S::New, C::Dividend, "000001", 0, 0, 0, 300000, ""},
        {2023, 5, 12, S::New, C::Dividend, "000001", 0, 0, 0, -30000, ""},
        {2023, 6, 1, S::New, C::BonusShares, "000001", 400, 0, 0, 0, ""},
        {2023, 6, 10, S::New, C::Withdrawal, "", 0, 0, 0, -5000000, ""},
        {2023, 6, 21, S::New, C::Adjustment, "", 0, 0, 0, 1230, ""},
        {2023, 7, 3, S::Skipped, C::None, "204001", 0, 0, 0, 0, "逆回购"},
        {2023, 7, 4, S::Skipped, C::None, "", 0, 0, 0, 0, "指定交易"},
        {2023, 8, 1, S::New, C::RightsIssue, "600000", 300, 8000, 0, 0, ""},
        {2023, 8, 15, S::Unknown, C::None, "732999", 0, 0, 0, 0, "新股申购"},
        {2023, 9, 1, S::New, C::Buy, "603999", 1000, 5000, 0, 0, ""},
    };
    std::sort(expected.begin(), expected.end());
    const auto history = sampleHistory();
    const struct {
        const char* layout;
        std::string bytes;
        int firstLine;  // of the first row below the header
    } statements[] = {
        {"tab", testing::tabStatement(history), 4},
        {"comma", testing::commaStatement(history), 2},
        {"utf-8", testing::utf8Statement(history), 2},
        {"workbook", testing::workbookStatement(history), 2},
        // The rows below the table (合计, the holdings) are no rows of the statement.
        {"overlapping fees", testing::overlappingFeesStatement(history), 3},
        {"web page", testing::htmlStatement(history), 3},
        {"aligned text", testing::alignedTextStatement(history), 4},
        {"workbook of day numbers", testing::serialDatesWorkbook(history), 2},
    };
    for (const auto& s : statements) {
        const StatementReading reading = readStatement(s.bytes);
        ASSERT_EQ(reading.problem, StatementProblem::None) << s.layout;
        EXPECT_EQ(mappedRows(reading.preview), expected) << s.layout;
        ASSERT_EQ(reading.preview.entries.size(), history.size()) << s.layout;
        EXPECT_EQ(reading.preview.entries.front().line, s.firstLine) << s.layout;
        EXPECT_EQ(reading.preview.header.size(), reading.preview.entries.front().cells.size())
            << s.layout;
    }
}

TEST(StatementReader, WebPagesAndAlignedText) {
    // Character references, tags inside cells, a cell left out at the end of a row.
    const StatementReading page = readStatement(gbk(
        "  <HTML><body><table><tr><TH>成交日期</TH><th>操作</th><th>证券代码</th><th>成交数量"
        "</th><th>成交价格</th><th>证券名称</th></tr>\n<tr><td>20230214</td><td><b>买入</b></td>"
        "<td>600000</td><td>1,000</td><td>10.00</td></tr><tr><td>20230215</td><td>卖出</td><td>"
        "600000</td><td>100</td><td>11</td><td>A&amp;B&nbsp;&#67;&#x44;</td></tr></table>"));
    ASSERT_EQ(page.problem, StatementProblem::None);
    ASSERT_EQ(page.preview.entries.size(), 2u);
    EXPECT_EQ(page.preview.entries[0].status, ImportStatus::New);
    EXPECT_EQ(page.preview.entries[0].shares, 1000);
    EXPECT_EQ(page.preview.entries[1].cells[5], "A&B CD");

    // Empty cells are blanks under their caption; a name of two words stays one cell.
    const StatementReading text = readStatement(
        gbk("成交日期  操作      证券代码  证券名称    成交数量  成交价格  发生金额\n"
            "20230201  银证转入                                           5000.00\n"
            "20230214  买入      600000    浦发 银行       1000     10.00  -10005.00\n"
            "\n"
            "证券代码  证券名称  股票余额\n"));
    ASSERT_EQ(text.problem, StatementProblem::None);
    ASSERT_EQ(text.preview.entries.size(), 2u);
    EXPECT_EQ(text.preview.entries[0].command, ImportCommand::Deposit);
    EXPECT_EQ(text.preview.entries[0].amount, 5000000);
    EXPECT_EQ(text.preview.entries[1].cells[3], gbk("浦发 银行"));
    EXPECT_EQ(text.preview.entries[1].fee, 5000);
}

TEST(StatementReader, TheTableEndsAtABlankLineTotalsOrAnotherHeader) {
    const std::string header = "成交日期,操作,证券代码,成交数量,成交价格,发生金额\r\n";
    const std::string row = "20230214,买入,600000,100,10,-1000\r\n";
    for (const std::string& after :
         {std::string("\r\n20230215,奇怪的操作,600000,1,1,-1\r\n"),
          std::string("合计,,,100,,-1000\r\n"),
          std::string("证券代码,证券名称,股票余额\r\n600000,浦发银行,100\r\n")}) {
        // Blank lines before the first row do not end it.
        const StatementReading r = readStatement(gbk(header + "\r\n" + row + after));
        ASSERT_EQ(r.problem, StatementProblem::None);
        ASSERT_EQ(r.preview.entries.size(), 1u) << after;
        EXPECT_EQ(r.preview.entries[0].status, ImportStatus::New);
    }
}

TEST(StatementReader, ADamagedFileIsReportedRowByRow) {
    const std::string header = "成交日期,操作,证券代码,成交数量,成交价格,手续费,发生金额\r\n";
    const std::string good = "20230214,买入,600000,1000,10,5,-10005\r\n";
    const struct {
        const char* what;
        std::string bytes;
        std::vector<ImportStatus> statuses;
        std::string lastNote;
    } cases[] = {
        {"cut mid-row",
         gbk(header + good + "20230215,买入,600"),
         {ImportStatus::New, ImportStatus::Invalid},
         "行不完整"},
        {"a number that does not parse",
         gbk(header + good + "20230215,买入,600000,1000,1O.5,5,-10505\r\n" + good),
         {ImportStatus::New, ImportStatus::Invalid, ImportStatus::New},
         ""},
        // A row written in GBK inside a UTF-8 file: its operation is not readable.
        {"wrong encoding in a row",
         "\xEF\xBB\xBF" + header + good + gbk("20230216,证券卖出,600000,100,11,5,1095\r\n") + good,
         {ImportStatus::New, ImportStatus::Unknown, ImportStatus::New},
         ""},
    };
    for (const auto& c : cases) {
        const StatementReading reading = readStatement(c.bytes);
        ASSERT_EQ(reading.problem, StatementProblem::None) << c.what;
        std::vector<ImportStatus> statuses;
        for (const StatementEntry& e : reading.preview.entries)
            statuses.push_back(e.status);
        EXPECT_EQ(statuses, c.statuses) << c.what;
        if (!c.lastNote.empty()) {
            EXPECT_EQ(reading.preview.entries.back().note, gbk(c.lastNote)) << c.what;
        }
    }
    EXPECT_EQ(readStatement(gbk(header + good + "20230215,买入,600000,1000,1O.5,5,-10505\r\n"))
                  .preview.entries[1]
                  .note,
              gbk("价格 '1O.5' 无效"));
}

TEST(StatementReader, FilesWithoutAStatementInThem) {
    const struct {
        const char* what;
        std::string bytes;
        StatementProblem problem;
    } cases[] = {
        {"empty", "", StatementProblem::NoHeader},
        {"no header", gbk("日期,说明\r\n20230214,买入\r\n"), StatementProblem::NoHeader},
        {"UTF-16", std::string("\xFF\xFE\x10\x62", 4), StatementProblem::NoHeader},
        {"a damaged workbook", std::string("PK\x03\x04garbage", 11), StatementProblem::Unreadable},
        {"a workbook without a sheet", testing::zipArchive({{"readme.txt", "hello"}}),
         StatementProblem::Unreadable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readStatement(c.bytes).problem, c.problem) << c.what;
}

TEST(XlsxReader, SharedInlineAndNumberCellsAtTheirColumns) {
    const std::string sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData><row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"C2\"><v>12.5</v></c>"
        "<c r=\"D2\" t=\"inlineStr\"><is><r><t>证券</t></r><r><t>买入</t></r></is></c>"
        "<c r=\"E2\" t=\"b\"><v>1</v></c><c r=\"F2\" t=\"s\"><v>99</v></c></row>"
        "<row><c><v>7</v></c></row></sheetData></worksheet>";
    const std::string strings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><t>x</t></si><si><t>成交日期</t></si></sst>";
    // Without a workbook part the first sheet is found by its usual name.
    const auto lines = readXlsx(testing::zipArchive(
        {{"xl/worksheets/sheet1.xml", sheet}, {"xl/sharedStrings.xml", strings}}));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0].number, 2);
    EXPECT_EQ((*lines)[0].cells,
              (std::vector<std::string>{gbk("成交日期"), "", "12.5", gbk("证券买入"), "TRUE", ""}));
    EXPECT_EQ((*lines)[1].number, 3);
    EXPECT_EQ((*lines)[1].cells, std::vector<std::string>{"7"});
}

}  // namespace
}  // namespace tallivan
