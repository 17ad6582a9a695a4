#include <gtest/gtest.h>

#include "app/controller.h"
#include "core/trade_app.h"
#include "forms/import_form.h"
#include "storage/account_file.h"
#include "support/statement_fixtures.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::TradeApp;
using testing::typeAndLeave;

// Types a date "YYYY-MM-DD" into the three date fields.
TradeApp::Values dated(const std::string& date, TradeApp::Values values) {
    values.insert(values.begin(), {{field_id::kYear, date.substr(0, 4)},
                                   {field_id::kMonth, date.substr(5, 2)},
                                   {field_id::kDay, date.substr(8, 2)}});
    return values;
}

void typeFund(TradeApp& app, const std::string& date, int operation, const std::string& amount,
              const std::string& memo) {
    app.ui.onDialog = [=](Form& form) {
        for (const auto& [field, text] : dated(date, {{field_id::kTitle, gbk("交割单")}}))
            typeAndLeave(form, field, text);
        form.select(field_id::kOperation, operation);
        typeAndLeave(form, field_id::kAmount, amount);
        typeAndLeave(form, field_id::kMemo, gbk(memo));
        form.press(field_id::kOk);
    };
    app.controller.addFund();
}

void typeBuy(TradeApp& app, const std::string& date, const std::string& code,
             const std::string& shares, const std::string& price, const std::string& fee) {
    app.typeThenOk(dated(date, {{field_id::kCode, code},
                                {field_id::kShares, shares},
                                {field_id::kPrice, price},
                                {field_id::kFee, fee}}));
    app.controller.buy();
}

// The trades of sampleHistory() typed through the commands, in the order they happened; the
// memo of a fund movement is the statement's text of it (another broker's with `otherTexts`).
void typeHistory(TradeApp& app, bool otherTexts = false) {
    typeFund(app, "2023-02-01", kDeposit, "100000", otherTexts ? "银行转存" : "银行转证券");
    typeBuy(app, "2023-02-14", "600000", "1000", "10", "5.20");
    typeBuy(app, "2023-02-20", "000001", "2000", "12.50", "7.50");
    app.onHolding(
        "600000", &Controller::sell,
        dated("2023-03-01",
              {{field_id::kShares, "500"}, {field_id::kPrice, "11"}, {field_id::kFee, "10.61"}}));
    app.onHolding("000001", &Controller::dividend, dated("2023-05-10", {{field_id::kFee, "300"}}));
    app.onHolding("000001", &Controller::dividend, dated("2023-05-12", {{field_id::kFee, "-30"}}));
    app.onHolding("000001", &Controller::bonusShares,
                  dated("2023-06-01", {{field_id::kShares, "400"}}));
    typeFund(app, "2023-06-10", kWithdrawal, "5000", otherTexts ? "银行转取" : "证券转银行");
    typeFund(app, "2023-06-21", kAdjustment, "-1.23", "利息归本");  // typed as the loss it is
    app.onHolding("600000", &Controller::rightsIssue,
                  dated("2023-08-01", {{field_id::kShares, "300"}, {field_id::kPrice, "8"}}));
    typeBuy(app, "2023-09-01", "603999", "1000", "5", "0");
}

// Imports `bytes` as a statement file; `press` is the button pressed in the preview.
const StatementPreview* importStatement(TradeApp& app, DataDir& data, const std::string& bytes,
                                        const char* press = field_id::kImport) {
    data.dir().write("statement.xls", bytes);
    app.ui.fileToOpen = data.dir().file("statement.xls");
    static StatementPreview shown;
    shown = {};
    app.ui.onDialog = [press](Form& form) {
        shown = dynamic_cast<ImportForm&>(form).preview();
        form.press(press);
    };
    app.controller.importStatement();
    return &shown;
}

std::vector<LedgerRecord> slotsOf(DataDir& data, const std::string& path) {
    return readAccount(data.fs(), path, Password{}, true).slots;
}

TEST(ImportCommand, EveryBrokersStatementShowsWhatTypingItsTradesWould) {
    DataDir usualData;
    TradeApp usual(usualData);
    typeHistory(usual);
    ASSERT_TRUE(usual.ui.messages.empty());
    DataDir otherData;
    TradeApp other(otherData);
    typeHistory(other, true);
    ASSERT_TRUE(other.ui.messages.empty());

    const auto history = testing::sampleHistory();
    const struct {
        const char* layout;
        std::string bytes;
        bool otherTexts;
    } statements[] = {
        {"tab", testing::tabStatement(history), false},
        {"comma", testing::commaStatement(history), false},
        {"utf-8", testing::utf8Statement(history), false},
        {"workbook", testing::workbookStatement(history), false},
        {"overlapping fees, tab-separated .csv", testing::overlappingFeesStatement(history), true},
        {"web page", testing::htmlStatement(history), true},
        {"aligned text", testing::alignedTextStatement(history), true},
        {"workbook of day numbers", testing::serialDatesWorkbook(history), false},
    };
    for (const auto& s : statements) {
        TradeApp& typed = s.otherTexts ? other : usual;
        DataDir& typedData = s.otherTexts ? otherData : usualData;
        DataDir data;
        TradeApp app(data);
        const StatementPreview* preview = importStatement(app, data, s.bytes);
        EXPECT_TRUE(app.ui.messages.empty()) << s.layout;
        // 11 new, the reverse repo and 指定交易 skipped, 新股申购 unknown.
        EXPECT_EQ(preview->counts(), (std::array<std::size_t, 5>{11, 0, 2, 1, 0})) << s.layout;
        EXPECT_EQ(app.snapshot(), typed.snapshot()) << s.layout;
        EXPECT_EQ(slotsOf(data, app.path), slotsOf(typedData, typed.path)) << s.layout;
        ASSERT_FALSE(app.ui.progress.empty());
        EXPECT_EQ(app.ui.progress.back(), (std::pair<std::size_t, std::size_t>{11, 11}));
        app.reopen();
        typed.reopen();
        EXPECT_EQ(app.snapshot(), typed.snapshot()) << s.layout;
        // Once more: nothing new, nothing written.
        const auto file = data.dir().read(app.path);
        const StatementPreview* again = importStatement(app, data, s.bytes);
        EXPECT_EQ(again->counts(), (std::array<std::size_t, 5>{0, 11, 2, 1, 0})) << s.layout;
        EXPECT_EQ(again->newCash, 0) << s.layout;
        EXPECT_EQ(data.dir().read(app.path), file) << s.layout;
    }
}

TEST(ImportCommand, TheSameStatementTwiceAddsNothing) {
    DataDir data;
    TradeApp app(data);
    const std::string statement = testing::tabStatement(testing::sampleHistory());
    importStatement(app, data, statement);
    const auto file = data.dir().read(app.path);
    const auto shown = app.snapshot();
    const StatementPreview* again = importStatement(app, data, statement);
    EXPECT_EQ(again->counts(), (std::array<std::size_t, 5>{0, 11, 2, 1, 0}));
    EXPECT_TRUE(again->order.empty());
    EXPECT_EQ(data.dir().read(app.path), file);
    EXPECT_EQ(app.snapshot(), shown);
    // So does a statement of another broker with the same trades.
    EXPECT_EQ(
        importStatement(app, data, testing::workbookStatement(testing::sampleHistory()))->counts(),
        (std::array<std::size_t, 5>{0, 11, 2, 1, 0}));
    EXPECT_EQ(data.dir().read(app.path), file);
}

TEST(ImportCommand, OverlappingStatementsAddEachTradeOnceByTheBrokersNumber) {
    DataDir data;
    TradeApp app(data);
    // January to June by trade date; May to December by settlement date, a day later, so only
    // the broker's numbers tell the rows of May and June again.
    const std::string firstHalf =
        gbk("成交日期,操作,证券代码,成交数量,成交价格,发生金额,成交编号\r\n"
            "20230110,买入,600000,100,10,-1005,A1\r\n"
            "20230510,买入,600000,100,10,-1005,A2\r\n"
            "20230615,买入,000001,200,5,-1005,A3\r\n");
    const std::string secondHalf =
        gbk("交收日期,操作,证券代码,成交数量,成交价格,发生金额,成交编号\r\n"
            "20230511,买入,600000,100,10,-1005,A2\r\n"
            "20230616,买入,000001,200,5,-1005,A3\r\n"
            "20231101,卖出,600000,200,11,2195,A4\r\n");
    EXPECT_EQ(importStatement(app, data, firstHalf)->counts(),
              (std::array<std::size_t, 5>{3, 0, 0, 0, 0}));
    const StatementPreview* p = importStatement(app, data, secondHalf);
    EXPECT_EQ(p->counts(), (std::array<std::size_t, 5>{1, 2, 0, 0, 0}));
    EXPECT_EQ(p->entries[0].note, gbk("编号 A2 已导入"));
    EXPECT_EQ(p->newCash, 2195000);
    EXPECT_EQ(app.rows(LedgerList::Trades), 4u);
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kCode, held_column::kShares}),
              (std::vector<std::string>{"000001", "200"}));
    const auto file = data.dir().read(app.path);
    EXPECT_EQ(importStatement(app, data, secondHalf)->counts(),
              (std::array<std::size_t, 5>{0, 3, 0, 0, 0}));
    EXPECT_EQ(data.dir().read(app.path), file);

    // A trade undone since is no longer known by its number.
    app.controller.selectRow(LedgerList::Trades, 0);  // the newest: the sale of November
    app.ui.onDialog = [](Form& form) { form.press(field_id::kOk); };
    app.controller.undoTrade();
    EXPECT_EQ(app.rows(LedgerList::Trades), 3u);
    const auto counts = importStatement(app, data, secondHalf, field_id::kCancel)->counts();
    EXPECT_EQ(counts[static_cast<std::size_t>(ImportStatus::New)], 1u);
}

TEST(ImportCommand, ThePreviewListsEveryRowAndCancelRecordsNothing) {
    DataDir data;
    TradeApp app(data);
    const auto file = data.dir().read(app.path);
    std::string counts;
    app.ui.fileToOpen = std::nullopt;
    app.controller.importStatement();  // the file chooser cancelled
    EXPECT_EQ(app.ui.dialogsRun, 0);

    data.dir().write("s.csv", testing::commaStatement(testing::sampleHistory()));
    app.ui.fileToOpen = data.dir().file("s.csv");
    app.ui.onDialog = [&](Form& form) {
        EXPECT_EQ(form.caption(), gbk("导入交割单"));
        EXPECT_EQ(form.field(field_id::kFileLabel).text, gbk("文件: ") + data.dir().file("s.csv"));
        counts = form.field(field_id::kCountsLabel).text;
        const StatementPreview& p = dynamic_cast<ImportForm&>(form).preview();
        EXPECT_EQ(p.entries.size(), 14u);
        EXPECT_EQ(p.entries[12].status, ImportStatus::Unknown);
        EXPECT_EQ(p.entries[12].note, gbk("新股申购"));
        EXPECT_EQ(p.entries[9].note, gbk("逆回购"));
        EXPECT_EQ(p.entries[10].note, gbk("指定交易"));
        form.press(field_id::kCancel);
    };
    app.controller.importStatement();
    EXPECT_EQ(counts, gbk("新增 11, 已有 0, 跳过 2, 未知 1, 无效 0"));
    EXPECT_EQ(data.dir().read(app.path), file);
    EXPECT_EQ(app.rows(LedgerList::Trades), 0u);
}

TEST(ImportCommand, ADamagedStatementRecordsItsGoodRows) {
    DataDir data;
    TradeApp app(data);
    const std::string statement =
        gbk("成交日期,操作,证券代码,成交数量,成交价格,手续费,发生金额\r\n"
            "20230214,买入,600000,1000,10,5,-10005\r\n"
            "20230215,买入,600000,1000,1O.5,5,-10505\r\n"
            "20230216,卖出,600000,400,11,5,4395\r\n"
            "20230217,卖出,600");
    const StatementPreview* p = importStatement(app, data, statement);
    EXPECT_EQ(p->counts(), (std::array<std::size_t, 5>{2, 0, 0, 0, 2}));
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kCode, held_column::kShares}),
              (std::vector<std::string>{"600000", "600"}));
    EXPECT_EQ(app.rows(LedgerList::Trades), 2u);
}

TEST(ImportCommand, NewSharesBecomeTheAllotmentOfTheSubscription) {
    const auto subscribe = [](TradeApp& app) {
        app.typeThenOk(dated(
            "2023-08-20",
            {{field_id::kCode, "603999"}, {field_id::kShares, "1000"}, {field_id::kPrice, "5"}}));
        app.controller.subscribe();
    };
    DataDir typedData;
    TradeApp typed(typedData);
    subscribe(typed);
    typed.controller.selectRow(LedgerList::Trades, 0);
    typed.ui.onDialog = [](Form& form) {
        form.type(field_id::kText, "600");
        form.press(field_id::kOk);
    };
    typed.controller.subscriptionWon();

    DataDir data;
    TradeApp app(data);
    subscribe(app);
    const std::string statement =
        gbk("成交日期,操作,证券代码,成交数量,成交价格,发生金额\r\n"
            "20230901,新股入账,603999,600,5,0\r\n");
    const StatementPreview* p = importStatement(app, data, statement);
    ASSERT_EQ(p->entries.size(), 1u);
    EXPECT_EQ(p->entries[0].command, ImportCommand::Won);
    EXPECT_EQ(app.snapshot(), typed.snapshot());
    EXPECT_EQ(slotsOf(data, app.path), slotsOf(typedData, typed.path));
    EXPECT_EQ(importStatement(app, data, statement)->entries[0].status, ImportStatus::Duplicate);
}

TEST(ImportCommand, AStatementThatCannotBeStoredRecordsNothing) {
    DataDir data;
    TradeApp app(data);
    typeBuy(app, "2023-01-02", "600000", "100", "10", "5");
    const auto file = data.dir().read(app.path);
    const auto shown = app.snapshot();
    app.fs.changesLeft = 0;
    importStatement(app, data, testing::tabStatement(testing::sampleHistory()));
    app.fs.changesLeft.reset();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, writeFailedMessage(app.path));
    EXPECT_EQ(data.dir().read(app.path), file);
    EXPECT_EQ(app.snapshot(), shown);
}

TEST(ImportCommand, FilesThatAreNoStatement) {
    DataDir data;
    TradeApp app(data);
    const struct {
        const char* what;
        std::optional<std::string> bytes;  // nothing: no such file
        std::string message;
    } cases[] = {
        {"missing", std::nullopt, "读文件出错! “%s”"},
        {"no header", gbk("日期,说明\r\n"), "文件 “%s” 中没有可识别的交割单表头!"},
        {"damaged workbook", std::string("PK\x03\x04zz", 6), "读文件出错! “%s”"},
    };
    for (const auto& c : cases) {
        const std::string path = data.dir().file(c.what);
        if (c.bytes)
            data.dir().write(c.what, *c.bytes);
        app.ui.fileToOpen = path;
        app.ui.messages.clear();
        app.controller.importStatement();
        ASSERT_EQ(app.ui.messages.size(), 1u) << c.what;
        std::string expected = gbk(c.message);
        expected.replace(expected.find("%s"), 2, path);
        EXPECT_EQ(app.ui.messages[0].text, expected) << c.what;
        EXPECT_EQ(app.ui.messages[0].caption, gbk("错误")) << c.what;
        EXPECT_EQ(app.ui.dialogsRun, 0) << c.what;
    }
}

}  // namespace
}  // namespace tallivan
