#include <gtest/gtest.h>

#include "base/gbk.h"
#include "statement/statement_cells.h"
#include "statement/statement_text.h"

namespace tallivan {
namespace {

TEST(StatementCells, WorkbookTimesCodesWithBlanksAndBracketedTails) {
    EXPECT_EQ(statementTime("0.396782407"), 93122);
    EXPECT_EQ(statementTime("44971.396782407"), 93122);
    EXPECT_EQ(statementTime("0"), 0);
    EXPECT_EQ(statementTime("0.99999999"), 235959);
    EXPECT_EQ(statementTime("1.5"), std::nullopt);
    EXPECT_EQ(statementCode(" 600 000 "), "600000");
    EXPECT_EQ(statementCode("1 "), "000001");
    EXPECT_EQ(statementCode("---"), std::nullopt);
    EXPECT_EQ(withoutBracketedTail(gbk(" 证券买入(贵州茅台) ")), gbk("证券买入"));
    EXPECT_EQ(withoutBracketedTail(gbk("成交价格（元）")), gbk("成交价格"));
    EXPECT_EQ(withoutBracketedTail("(x)"), "(x)");
}

TEST(StatementCells, Dates) {
    const struct {
        const char* cell;
        std::optional<Date> date;
    } cases[] = {
        {"20230214", Date{2023, 2, 14}},
        {"2023-02-14", Date{2023, 2, 14}},
        {" 2023/2/4 ", Date{2023, 2, 4}},
        {"2023.02.14", Date{2023, 2, 14}},
        {"2023年2月14日", Date{2023, 2, 14}},
        {"2023-02-14 09:31:22", Date{2023, 2, 14}},
        {"44971", Date{2023, 2, 14}},          // a workbook's day number
        {"44971.5", Date{2023, 2, 14}},        // with the time as its fraction
        {"20240103000012", Date{2024, 1, 3}},  // a serial number after the date
        {"20240103093122", Date{2024, 1, 3}},
        {"20240133000012", std::nullopt},
        {"0.5", std::nullopt},
        {"20240229", Date{2024, 2, 29}},
        {"20230229", std::nullopt},  // not a leap year
        {"20231301", std::nullopt},
        {"19800101", std::nullopt},  // the ledger's two-digit years run 1981 to 2080
        {"20810101", std::nullopt},
        {"2023-02", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"2023021", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(statementDate(gbk(c.cell)), c.date) << c.cell;
}

TEST(StatementCells, TimesNumbersAndCodes) {
    EXPECT_EQ(statementTime("09:31:22"), 93122);
    EXPECT_EQ(statementTime("9:31"), 93100);
    EXPECT_EQ(statementTime("093122"), 93122);
    EXPECT_EQ(statementTime("93122"), 93122);
    EXPECT_EQ(statementTime("2023-02-14 14:59:01"), 145901);
    EXPECT_EQ(statementTime("25:00:00"), std::nullopt);
    EXPECT_EQ(statementTime("9.31"), std::nullopt);
    EXPECT_EQ(statementTime(""), std::nullopt);

    EXPECT_EQ(statementNumber(" -10,005.20 "), -10005.2);
    EXPECT_EQ(statementNumber("1e3"), 1000.0);
    EXPECT_EQ(statementNumber("12.5x"), std::nullopt);
    EXPECT_EQ(statementNumber(""), std::nullopt);
    EXPECT_EQ(statementNumber(gbk("　7　")), 7.0);  // full-width blanks around it

    EXPECT_EQ(statementCode("1"), "000001");
    EXPECT_EQ(statementCode(" 600000 "), "600000");
    EXPECT_EQ(statementCode("1234567"), std::nullopt);
    EXPECT_EQ(statementCode("SH600000"), std::nullopt);
    EXPECT_EQ(statementCode(""), std::nullopt);
}

std::vector<std::vector<std::string>> cellsOf(const std::vector<StatementLine>& lines) {
    std::vector<std::vector<std::string>> cells;
    for (const StatementLine& line : lines)
        cells.push_back(line.cells);
    return cells;
}

TEST(StatementText, CellsQuotesAndLineEnds) {
    const std::string text =
        "a,\"b,c\",=\"000001\",\"=\"\"000002\"\"\"\r\n"
        "\"two\nlines\",x\r"
        "last,\"say \"\"hi\"\"\"";
    const auto lines = splitStatementText(text, ',');
    EXPECT_EQ(cellsOf(lines), (std::vector<std::vector<std::string>>{
                                  {"a", "b,c", "000001", "000002"},
                                  {"two\nlines", "x"},
                                  {"last", "say \"hi\""},
                              }));
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[2].number, 4);  // the quoted line break counts
    EXPECT_FALSE(lines[2].cut);

    // The file ends inside a quoted cell: that line was cut.
    const auto cut = splitStatementText("a\tb\n1\t\"half", '\t');
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_TRUE(cut[1].cut);
    // Only the first lines, when asked.
    EXPECT_EQ(splitStatementText("1\n2\n3\n", ',', 2).size(), 2u);
}

TEST(StatementText, EncodingsBecomeGbk) {
    const std::string gbkText = gbk("证券买入");
    EXPECT_EQ(statementTextAsGbk(gbkText), gbkText);
    EXPECT_EQ(statementTextAsGbk("\xEF\xBB\xBF证券买入"), gbkText);
    EXPECT_EQ(statementTextAsGbk("证券买入"), gbkText);  // UTF-8 without its mark
    // A four-byte GB18030 character GBK cannot hold.
    EXPECT_EQ(statementTextAsGbk(gbkText + "\x81\x30\x89\x38" + "A"), gbkText + "?A");
}

}  // namespace
}  // namespace tallivan
