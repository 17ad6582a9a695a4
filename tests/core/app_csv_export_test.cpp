// 导出数据 → CSV文件 and 导出到 through the controller: the four lists and the yearly results
// as UTF-8 files with a byte-order mark, byte for byte; the chosen directory for both kinds of
// export.
#include <gtest/gtest.h>

#include <string>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "report/csv_export.h"
#include "support/analysis_history.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;

const std::string kBom = "\xEF\xBB\xBF";

struct CsvApp {
    explicit CsvApp(DataDir& data) : data(data), fs(data.path()), controller(ui, fs, clock) {
        controller.start();
    }
    std::string file(const std::string& directory, const std::string& name) {
        return data.dir().read(directory + "/" + name);
    }
    DataDir& data;
    PosixFileSystem fs;
    testing::RecordingUi ui;
    FixedClock clock{testing::kAnalysisToday, 1};
    Controller controller;
};

TEST(CsvExport, TheListsAndTheYearlyResultsAsUtf8WithAByteOrderMark) {
    DataDir data;
    testing::writeSampleNames(data);
    std::vector<LedgerRecord> slots = testing::sampleLedger();
    // Memos a spreadsheet would split at the comma or run as a formula.
    slots.push_back(LedgerRecord::of(testing::dated(
        testing::fund(kDeposit, gbk("奖金"), 1000000, gbk("年终,季度")), 2024, 3, 1)));
    slots.push_back(LedgerRecord::of(
        testing::dated(testing::fund(kDeposit, "x", 500000, "=1+2 \"a\""), 2024, 3, 2)));
    data.account("zrdata", 1, gbk("账户甲"), slots);
    CsvApp app(data);

    app.controller.exportCsv();

    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("是否输出数据到CSV文件?"));
    EXPECT_EQ(app.ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(app.ui.messages[1].text, gbk("文件已输出到 “zrdata/” 目录下!"));
    EXPECT_EQ(app.ui.messages[1].caption, gbk("提示"));

    EXPECT_EQ(app.file("zrdata", "持有_账户甲.csv"),
              kBom +
                  "证券代码,证券名称,股数,买价,总买价,现价,总现价,盈亏,盈亏率,保本价,止损价,获利价,"
                  "日期,备注\r\n"
                  "600001,邯郸钢铁,1000,10.00,10081.00,10.50,10415.25,334.25,3.32%,10.17,9.50,"
                  "11.00,2024-01-03,长线\r\n");
    EXPECT_EQ(app.file("zrdata", "卖出_账户甲.csv"),
              kBom +
                  "证券代码,证券名称,股数,买价,总买价,卖价,总卖价,盈亏,盈亏率,日期,备注\r\n"
                  "0001,平安,500,9.91,5000.00,11.10,5500.00,500.00,10.00%,2023-11-20,\r\n");
    EXPECT_EQ(app.file("zrdata", "交易_账户甲.csv"),
              kBom +
                  "日期,证券代码,证券名称,操作,股数,价格,税费,总金额,盈亏金额,盈亏率\r\n"
                  "2024-01-03,600001,邯郸钢铁,买入,1000,10.00,81.00,-10081.00,,\r\n"
                  "2023-11-20,0001,平安,卖出,500,11.10,46.63,5503.37,503.37,10.07%\r\n");
    EXPECT_EQ(app.file("zrdata", "资金_账户甲.csv"),
              kBom +
                  "日期,名称,操作,金额,备注\r\n"
                  "2024-03-02,x,资金存入,500.00,\"'=1+2 \"\"a\"\"\"\r\n"
                  "2024-03-01,奖金,资金存入,1000.00,\"年终,季度\"\r\n"
                  "2024-02-02,增损,资金增损,-12.50,利息税\r\n"
                  "2024-02-01,支取,资金支取,-2000.00,生活费\r\n"
                  "2024-01-02,存入,资金存入,100000.00,\r\n");
    EXPECT_EQ(app.file("zrdata", "年度_账户甲.csv"),
              kBom +
                  "年份,已实现盈亏,分红,费用,存入,支取\r\n"
                  "2023,503.37,0.00,46.63,0.00,0.00\r\n"
                  "2024,0.00,0.00,81.00,101500.00,-2000.00\r\n"
                  "合计,503.37,0.00,127.63,101500.00,-2000.00\r\n");
}

TEST(CsvExport, FieldsAreQuotedAndGuardedOnlyWhereTheyNeedIt) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"", ""},
        {"平安", "平安"},
        {"-12.50", "-12.50"},  // a negative amount is a number, not a formula
        {"-3.32%", "-3.32%"},  // so is a negative rate
        {"+5", "+5"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"=SUM(A1)", "'=SUM(A1)"},
        {"+x", "'+x"},
        {"-x", "'-x"},
        {"@x", "'@x"},
        {"=a,b", "\"'=a,b\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvField(c.text), c.field) << c.text;
}

TEST(CsvExport, TheChosenDirectoryTakesBothKindsOfExport) {
    DataDir data;
    data.account("zrdata", 1, "one", testing::analysisHistory());
    data.fs().makeDirectory("out");
    CsvApp app(data);

    app.controller.setExportDirectory("out");
    app.controller.exportCsv();
    app.controller.exportText();
    ASSERT_EQ(app.ui.messages.size(), 4u);
    EXPECT_EQ(app.ui.messages[1].text, gbk("文件已输出到 “out/” 目录下!"));
    EXPECT_EQ(app.ui.messages[3].text, gbk("文件已输出到 “out/” 目录下!"));
    for (const char* name : {"持有_one.csv", "卖出_one.csv", "交易_one.csv", "资金_one.csv",
                             "年度_one.csv", "持有_one.txt", "资金_one.txt"}) {
        EXPECT_TRUE(data.dir().exists(std::string("out/") + name)) << name;
        EXPECT_FALSE(data.dir().exists(std::string("zrdata/") + name)) << name;
    }
    EXPECT_EQ(app.file("out", "年度_one.csv"),
              kBom +
                  "年份,已实现盈亏,分红,费用,存入,支取\r\n"
                  "2024,0.00,420.00,45.00,100000.00,-3000.00\r\n"
                  "2025,1978.00,100.00,17.00,5000.00,0.00\r\n"
                  "合计,1978.00,520.00,62.00,105000.00,-3000.00\r\n");

    // A directory that is not there is said before anything is asked; nothing is written.
    app.ui.messages.clear();
    app.controller.setExportDirectory("gone");
    app.controller.exportCsv();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("目录 “gone” 不存在!"));
    EXPECT_EQ(app.ui.messages[0].caption, gbk("错误"));
    EXPECT_FALSE(data.dir().exists("gone"));

    // Emptied, the group's directory is used again.
    app.ui.messages.clear();
    app.controller.setExportDirectory("");
    app.controller.exportCsv();
    EXPECT_TRUE(data.dir().exists("zrdata/年度_one.csv"));
}

}  // namespace
}  // namespace tallivan
