// 导出数据 → 文本文件 through the controller: the four files of an account or a group, byte for
// byte, in the group's directory; the question, the final message and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "storage/group_marker.h"
#include "support/faulty_file_system.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;

// The sample account's lists as the files hold them (UTF-8 here, GBK in the files), a cell at a
// time.
// clang-format off
const char* const kHoldings =
    "      证券代码" "      证券名称" "          股数" "          买价" "        总买价"
    "          现价" "        总现价" "          盈亏" "        盈亏率" "        保本价"
    "        止损价" "        获利价" "          日期" "  备注                          \r\n"
    "        600001" "      邯郸钢铁" "          1000" "         10.00" "      10081.00"
    "         10.50" "      10415.25" "        334.25" "         3.32%" "         10.17"
    "          9.50" "         11.00" "      24-01-03" "  长线                          \r\n";
const char* const kSold =
    "      证券代码" "      证券名称" "          股数" "          买价" "        总买价"
    "          卖价" "        总卖价" "          盈亏" "        盈亏率" "          日期"
    "  备注                          \r\n"
    "          0001" "          平安" "           500" "          9.91" "       5000.00"
    "         11.10" "       5500.00" "        500.00" "        10.00%" "      23-11-20"
    "                                \r\n";
const char* const kTrades =
    "          日期" "      证券代码" "      证券名称" "          操作" "          股数"
    "          价格" "          税费" "        总金额" "      盈亏金额" "        盈亏率" "\r\n"
    "      24-01-03" "        600001" "      邯郸钢铁" "          买入" "          1000"
    "         10.00" "         81.00" "     -10081.00" "              " "              " "\r\n"
    "      23-11-20" "          0001" "          平安" "          卖出" "           500"
    "         11.10" "         46.63" "       5503.37" "        503.37" "        10.07%" "\r\n";
const char* const kFundsHeader =
    "          日期" "          名称" "          操作" "          金额" "          备注" "\r\n";
const char* const kFundRows =
    "      24-02-02" "          增损" "      资金增损" "        -12.50" "        利息税" "\r\n"
    "      24-02-01" "          支取" "      资金支取" "      -2000.00" "        生活费" "\r\n"
    "      24-01-02" "          存入" "      资金存入" "     100000.00" "              " "\r\n";
const char* const kSecondAccountsFundRow =
    "      24-03-01" "          存入" "      资金存入" "       5000.00" "          二号" "\r\n";
// clang-format on

struct ExportApp {
    explicit ExportApp(DataDir& data) : data(data), fs(data.path()), controller(ui, fs, clock) {}

    void start() { controller.start(); }

    // The file `prefix` + `name` + ".txt" of the group directory "zrdata", UTF-8 names.
    std::string file(const std::string& prefix, const std::string& name) const {
        return data.dir().read("zrdata/" + prefix + name + ".txt");
    }

    DataDir& data;
    testing::FaultyFileSystem fs;
    testing::RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
};

// Every line of `text` (GBK) ends in CR LF and is `length` bytes long.
void expectLines(const std::string& text, std::size_t length, const std::string& what) {
    ASSERT_FALSE(text.empty()) << what;
    for (std::size_t at = 0; at < text.size(); at += length) {
        ASSERT_LE(at + length, text.size()) << what;
        EXPECT_EQ(text.substr(at + length - 2, 2), "\r\n") << what << " at " << at;
    }
}

TEST(TextExport, AnAccountsFourFilesHoldItsListsExactly) {
    DataDir data;
    testing::writeSampleNames(data);
    data.account("zrdata", 1, gbk("账户甲"), testing::sampleLedger());
    ExportApp app(data);
    app.start();
    ASSERT_EQ(app.controller.selectedNode(), 1);

    app.controller.exportText();

    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("是否输出数据到文本文件?"));
    EXPECT_EQ(app.ui.messages[0].caption, gbk("提示"));
    EXPECT_EQ(app.ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(app.ui.messages[1].text, gbk("文件已输出到 “zrdata/” 目录下!"));
    EXPECT_EQ(app.ui.messages[1].caption, gbk("提示"));

    EXPECT_EQ(app.file("持有_", "账户甲"), gbk(kHoldings));
    EXPECT_EQ(app.file("卖出_", "账户甲"), gbk(kSold));
    EXPECT_EQ(app.file("交易_", "账户甲"), gbk(kTrades));
    EXPECT_EQ(app.file("资金_", "账户甲"), gbk(std::string(kFundsHeader) + kFundRows));
    expectLines(app.file("持有_", "账户甲"), 216, "holdings");
    expectLines(app.file("卖出_", "账户甲"), 174, "sold");
    expectLines(app.file("交易_", "账户甲"), 142, "trades");
    expectLines(app.file("资金_", "账户甲"), 72, "funds");
    // The temporary files are gone; nothing else was written.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(data.path() + "/zrdata"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"zr_00001.acc", "交易_账户甲.txt", "卖出_账户甲.txt",
                                               "持有_账户甲.txt", "资金_账户甲.txt"}));
}

TEST(TextExport, AGroupsFilesCarryItsNameAndTheRowsOfAllItsAccounts) {
    DataDir data;
    testing::writeSampleNames(data);
    data.account("zrdata", 1, "one", testing::sampleLedger());
    data.account("zrdata", 2, "two",
                 {LedgerRecord::of(testing::dated(
                     testing::fund(kDeposit, gbk("存入"), 5000000, gbk("二号")), 2024, 3, 1))});
    ASSERT_TRUE(writeGroupName(data.fs(), "zrdata", gbk("长线组")));
    ExportApp app(data);
    app.start();
    app.controller.selectNode(2);
    app.controller.selectNode(0);

    app.controller.exportText();

    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[1].text, gbk("文件已输出到 “zrdata/” 目录下!"));
    EXPECT_EQ(app.file("持有_", "长线组"), gbk(kHoldings));
    EXPECT_EQ(app.file("卖出_", "长线组"), gbk(kSold));
    EXPECT_EQ(app.file("交易_", "长线组"), gbk(kTrades));
    EXPECT_EQ(app.file("资金_", "长线组"),
              gbk(std::string(kFundsHeader) + kSecondAccountsFundRow + kFundRows));
    EXPECT_FALSE(data.dir().exists("zrdata/持有_one.txt"));
}

TEST(TextExport, EmptyListsGiveTheHeaderLineAlone) {
    DataDir data;
    data.account("zrdata", 1, "empty", {});
    ExportApp app(data);
    app.start();
    app.controller.exportText();
    EXPECT_EQ(app.file("持有_", "empty"), gbk(kHoldings).substr(0, 216));
    EXPECT_EQ(app.file("卖出_", "empty"), gbk(kSold).substr(0, 174));
    EXPECT_EQ(app.file("交易_", "empty"), gbk(kTrades).substr(0, 142));
    EXPECT_EQ(app.file("资金_", "empty"), gbk(kFundsHeader));
}

TEST(TextExport, NothingIsWrittenWithoutANodeOrWithoutYes) {
    DataDir data;
    data.settings([](Settings& s) { copyToField(s.accountSearchDir, 1, ""); });  // no tree
    ExportApp app(data);
    app.start();
    ASSERT_FALSE(app.controller.selectedNode());
    app.controller.exportText();
    EXPECT_TRUE(app.ui.messages.empty());

    data.settings([](Settings&) {});
    data.account("zrdata", 1, "one", {});
    app.start();
    app.ui.answerYes = false;
    app.controller.exportText();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_FALSE(data.dir().exists("zrdata/持有_one.txt"));
}

TEST(TextExport, AnOlderLongerExportIsReplacedWhole) {
    DataDir data;
    data.account("zrdata", 1, "one", {});
    data.dir().write("zrdata/持有_one.txt", std::string(5000, 'x'));
    ExportApp app(data);
    app.start();
    app.controller.exportText();
    EXPECT_EQ(app.file("持有_", "one"), gbk(kHoldings).substr(0, 216));
}

TEST(TextExport, ANameThatWouldLeaveTheGroupDirectoryStaysInIt) {
    const struct {
        const char* title;  // UTF-8
        const char* stored;
    } cases[] = {
        {"../x", ".._x"},
        {"..", ".."},
        {"a/b\\c", "a_b_c"},
        {"乗/", "乗_"},  // its second byte is a backslash and stays
    };
    for (const auto& c : cases) {
        DataDir data;
        data.account("zrdata", 1, gbk(c.title), {});
        ExportApp app(data);
        app.start();
        app.controller.exportText();
        ASSERT_EQ(app.ui.messages.size(), 2u) << c.title;
        EXPECT_EQ(app.ui.messages[1].caption, gbk("提示")) << c.title;
        for (const char* prefix : {"持有_", "卖出_", "交易_", "资金_"})
            EXPECT_TRUE(data.dir().exists(std::string("zrdata/") + prefix + c.stored + ".txt"))
                << c.title << " " << prefix;
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data.path()))
            files += entry.is_regular_file() && entry.path().extension() == ".txt";
        EXPECT_EQ(files, 4u) << c.title;
    }
}

TEST(TextExport, AFileThatCannotBeWrittenIsReportedInsteadOfSuccess) {
    DataDir data;
    data.account("zrdata", 1, "one", {});
    // The transactions file's name is taken by a directory; the other three can be written.
    std::filesystem::create_directory(data.path() + "/zrdata/交易_one.txt");
    ExportApp app(data);
    app.start();
    app.controller.exportText();
    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[1].text, gbk("创建文件出错!"));
    EXPECT_EQ(app.ui.messages[1].caption, gbk("错误"));
    EXPECT_EQ(app.file("持有_", "one"), gbk(kHoldings).substr(0, 216));
    EXPECT_EQ(app.file("资金_", "one"), gbk(kFundsHeader));
    EXPECT_FALSE(data.dir().existsStartingWith("zrdata/交易_one.txt.tmp"));

    // Nothing can be created: no file appears, the old ones stay as they were.
    data.dir().write("zrdata/资金_one.txt", "old");
    app.fs.refusedModes = {OpenMode::Create, OpenMode::CreateExclusive};
    app.ui.messages.clear();
    app.controller.exportText();
    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[1].text, gbk("创建文件出错!"));
    EXPECT_EQ(app.file("资金_", "one"), "old");
}

}  // namespace
}  // namespace tallivan
