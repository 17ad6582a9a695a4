// 更新现价 through the controller: the dialog and the settings it keeps, the messages for a
// missing source, the prices written to each held position's own account, and market files
// that must change nothing.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "core/market_test_support.h"
#include "core/trade_app.h"
#include "forms/form.h"
#include "market/price_source.h"
#include "support/faulty_file_system.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::DayDat;
using testing::dayRecords;
using testing::kBlockListLength;
using testing::oneDay;
using testing::typeAndLeave;
using testing::typeDat;

using Files = std::vector<std::pair<std::string, std::string>>;

LedgerRecord held(const char* code) {
    return LedgerRecord::of(testing::stock(kHeldState, code, 1000, 10081000));
}

// Held positions in the shapes the sources tell apart, a sold one and a fund movement; every
// held position is shown at 10.50.
std::vector<LedgerRecord> positions() {
    StockRecord sold = testing::stock(kSoldState, "0001", 500, 5000000);
    sold.proceeds = 5500000;
    return {
        LedgerRecord::of(testing::fund(kDeposit, gbk("存入"), 100000000, "")),
        held("600001"),
        LedgerRecord::of(testing::note(kHeldState, gbk("长线"))),
        held("0002"),
        held("000003"),
        held("600004"),
        held("600005"),
        LedgerRecord::of(sold),
    };
}

// One opened account and a person who chooses a source and directory in the price dialog.
struct PriceApp {
    explicit PriceApp(DataDir& data, const std::vector<LedgerRecord>& slots = positions())
        : data(data), fs(data.path()), controller(ui, fs, clock) {
        path = data.account("zrdata", 1, "one", slots);
        controller.start();
    }

    void write(const Files& files) const {
        for (const auto& [relative, bytes] : files)
            testing::writeFileAt(data.path(), relative, bytes);
    }

    void update(int source, const std::string& directory) {
        ui.onDialog = [source, directory](Form& form) {
            form.select(field_id::kOptionGroup, source);
            typeAndLeave(form, field_id::kDirectory, directory);
            form.press(field_id::kOk);
        };
        controller.updatePrices();
    }

    // The 现价 text of the held position of `code`.
    std::string price(const std::string& code) const {
        for (const LedgerRow& row : controller.lists().rows(LedgerList::Holdings)) {
            if (!row.isSummary() && row.text(stock_column::kCode) == code)
                return std::string(row.text(held_column::kCurrentPrice));
        }
        return "no row";
    }

    StockRecord storedStock(const std::string& account, int slot) const {
        return readAccount(data.fs(), account, Password{}, true)
            .slots.at(static_cast<std::size_t>(slot))
            .as<StockRecord>();
    }

    Settings storedSettings() const {
        Settings s = defaultSettings();
        loadSettings(data.fs(), s);
        return s;
    }

    DataDir& data;
    testing::FaultyFileSystem fs;
    testing::RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
    std::string path;
};

TEST(PriceUpdate, DayFilesPriceEveryHeldStockAndTheRowsMatchTheFile) {
    DataDir data;
    PriceApp app(data);
    app.write({
        {"ql/data/shase/day/600001.day", dayRecords({{20261209, 9000}, {19990105, 12340}})},
        {"ql/data/sznse/day/0002.day", oneDay(10120)},
        {"ql/data/shase/day/000003.day", oneDay(7770)},
        {"ql/data/sznse/day/000003.day", oneDay(1111)},
        {"ql/data/shase/day/600005.day", dayRecords({{20261209, 9000}, {20261210, 0}})},
        {"ql/data/sznse/day/0001.day", oneDay(9990)},  // sold stocks are never priced
    });
    const std::string valueBefore = app.controller.totalsPanel().texts[5];
    const auto soldBefore = app.controller.lists().rows(LedgerList::Sold);

    app.update(kDayFileSource, "ql");

    // The update says what it did: three prices, the newest close's day, the two without one
    // and why (in list order), and the one whose close is older than the newest.
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].caption, gbk("提示"));
    EXPECT_EQ(app.ui.messages[0].text,
              gbk("已更新 3 只股票的现价, 价格日期 2024-05-17。 没有现价: 600005 没有完整的记录, "
                  "600004 没有日线文件。 注意, 价格早于 2024-05-17: 600001 1999-01-05。"));
    EXPECT_EQ(app.price("600001"), "12.34") << "the last record counts whatever its date";
    EXPECT_EQ(app.price("0002"), "10.12") << "four characters: Shenzhen";
    EXPECT_EQ(app.price("000003"), "1.11") << "a six-digit Shenzhen code: Shenzhen";
    EXPECT_EQ(app.price("600004"), "10.50") << "no day file";
    EXPECT_EQ(app.price("600005"), "10.50") << "a close of 0";
    EXPECT_EQ(app.storedStock(app.path, 1).price, 12340);
    EXPECT_EQ(app.storedStock(app.path, 3).price, 10120);
    EXPECT_EQ(app.storedStock(app.path, 4).price, 1111);
    EXPECT_EQ(app.storedStock(app.path, 5).price, 10500);
    EXPECT_EQ(app.storedStock(app.path, 6).price, 10500);
    EXPECT_EQ(testing::bytesOf(readAccount(data.fs(), app.path, Password{}, true).slots[7]),
              testing::bytesOf(positions()[7]))
        << "the sold position is not touched";
    EXPECT_EQ(app.controller.lists().rows(LedgerList::Sold)[1].text(sold_column::kSaleTotal),
              soldBefore[1].text(sold_column::kSaleTotal));
    EXPECT_NE(app.controller.totalsPanel().texts[5], valueBefore);

    // The source and its directory are kept; the rows and the panel are what the file holds.
    EXPECT_EQ(app.storedSettings().priceSource, kDayFileSource);
    EXPECT_EQ(fieldText(app.storedSettings().priceSourceDirs[0], kPriceSourceDirSize), "ql");
    const auto shown = testing::viewSnapshot(app.controller);
    app.controller.selectNode(1);
    EXPECT_EQ(testing::viewSnapshot(app.controller), shown);
}

TEST(PriceUpdate, TypeDayDatAndTheClosingTextGiveTheirPrices) {
    DataDir data;
    PriceApp app(data);
    DayDat day;
    day.setClose(0, 0, 10.12f);
    day.setClose(1, 299, 8.5f);
    app.write({{"yz/db/type.dat", typeDat({{1600001, 1, {0}}, {2, 300, {1}}})},
               {"yz/db/day.dat", day.bytes()}});
    app.update(kTypeDayDatSource, "yz");
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].caption, gbk("提示"));
    app.ui.messages.clear();
    EXPECT_EQ(app.price("600001"), "10.12");
    EXPECT_EQ(app.storedStock(app.path, 1).price, 10120);
    EXPECT_EQ(app.price("0002"), "8.50");

    // Today's text; the close is cut, not rounded, to two decimals.
    app.write({{"cz/20261210.txt", "600001,a,10.125\r\n0002,b,9.999\r\n000003,c,7\r\n"},
               {"cz/20261209.txt", "600004,d,1.00\r\n"}});
    app.update(kClosingTextSource, "cz");
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].caption, gbk("提示"));
    EXPECT_EQ(app.storedStock(app.path, 1).price, 10120);
    EXPECT_EQ(app.storedStock(app.path, 3).price, 9990);
    EXPECT_EQ(app.price("000003"), "7.00");
    EXPECT_EQ(app.price("600004"), "10.50") << "only today's file is read";
}

TEST(PriceUpdate, TheDialogShowsEachSourcesOwnDirectoryAndCancelKeepsEverything) {
    DataDir data;
    data.settings([](Settings& s) {
        s.priceSource = 1;
        copyToField(s.priceSourceDirs[0], kPriceSourceDirSize, "a");
        copyToField(s.priceSourceDirs[1], kPriceSourceDirSize, "b");
        copyToField(s.priceSourceDirs[2], kPriceSourceDirSize, "c");
    });
    const std::string settingsBefore = data.dir().read("zrstk.cfg");
    PriceApp app(data);
    const auto before = testing::viewSnapshot(app.controller);
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.caption(), gbk("更新现价"));
        const Field& option = form.field(field_id::kOptionGroup);
        EXPECT_EQ(option.kind, FieldKind::Radio);
        EXPECT_EQ(option.label, gbk("选项"));
        ASSERT_EQ(option.items.size(), 4u);
        EXPECT_EQ(option.items[0], gbk("钱龙日线(*.day)"));
        EXPECT_EQ(option.items[1], gbk("赢证日线(day.dat)"));
        EXPECT_EQ(option.items[2], gbk("财智收盘价(*.txt)"));
        EXPECT_EQ(option.selected, 1);
        EXPECT_EQ(form.field(field_id::kDirectory).text, "b");
        EXPECT_EQ(form.field(field_id::kDirectory).label, gbk("主目录"));

        typeAndLeave(form, field_id::kDirectory, "typed");
        form.select(field_id::kOptionGroup, 2);
        EXPECT_EQ(form.field(field_id::kDirectory).text, "c")
            << "the edit of the other source is dropped";
        form.select(field_id::kOptionGroup, 0);
        EXPECT_EQ(form.field(field_id::kDirectory).text, "a");
        form.select(field_id::kOptionGroup, 4);
        EXPECT_EQ(option.selected, 0) << "there is no fifth source";
        typeAndLeave(form, field_id::kDirectory, std::string(40, 'd'));
        EXPECT_EQ(form.field(field_id::kDirectory).text, std::string(28, 'd'));
        form.press(field_id::kCancel);
    };
    app.controller.updatePrices();
    EXPECT_EQ(app.ui.dialogsRun, 1);
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.controller.settings().priceSource, 1);
    EXPECT_EQ(fieldText(app.controller.settings().priceSourceDirs[0], kPriceSourceDirSize), "a");
    EXPECT_EQ(data.dir().read("zrstk.cfg"), settingsBefore);
    EXPECT_EQ(testing::viewSnapshot(app.controller), before);
}

TEST(PriceUpdate, AStoredSourceThatDoesNotExistOffersTheFirst) {
    DataDir data;
    data.settings([](Settings& s) {
        s.priceSource = 7;
        copyToField(s.priceSourceDirs[0], kPriceSourceDirSize, "ql");
    });
    PriceApp app(data);
    app.write({{"ql/data/shase/day/600001.day", oneDay(12340)}});
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.field(field_id::kOptionGroup).selected, 0);
        EXPECT_EQ(form.field(field_id::kDirectory).text, "ql");
        form.press(field_id::kOk);
    };
    app.controller.updatePrices();
    EXPECT_EQ(app.controller.settings().priceSource, 0);
    EXPECT_EQ(app.price("600001"), "12.34");
}

TEST(PriceUpdate, AMissingSourceIsNamedAndTheChoiceIsStillKept) {
    const struct {
        const char* what;
        int source;
        const char* directory;
        Files files;
        std::vector<std::pair<std::string, MessageIcon>> messages;
    } cases[] = {
        {"no main directory", 0, "ql", {}, {{gbk("目录 “ql” 不存在!"), MessageIcon::Error}}},
        {"an empty main directory", 0, "", {}, {{gbk("目录 “” 不存在!"), MessageIcon::Error}}},
        {"no type.dat",
         1,
         "yz",
         {{"yz/db/day.dat", "DAY!"}},
         {{"yz/db/type.dat" + gbk(" 不存在!"), MessageIcon::None}}},
        {"no day.dat",
         1,
         "yz",
         {{"yz/db/type.dat", typeDat({{1600001, 1, {0}}})}},
         {{"yz/db/day.dat" + gbk(" 不存在!"), MessageIcon::None}}},
        {"only yesterday's text",
         2,
         "cz",
         {{"cz/20261209.txt", "600001,a,12.00\r\n"}},
         {{"cz/20261210.txt" + gbk(" 不存在!"), MessageIcon::None}}},
        {"today's text is empty", 2, "cz", {{"cz/20261210.txt", ""}}, {}},
    };
    for (const auto& c : cases) {
        DataDir data;
        PriceApp app(data);
        app.write(c.files);
        const std::string account = data.dir().read(app.path);
        const auto before = testing::viewSnapshot(app.controller);
        app.update(c.source, c.directory);
        std::vector<std::pair<std::string, MessageIcon>> shown;
        for (const auto& m : app.ui.messages) {
            EXPECT_EQ(m.caption, gbk("错误")) << c.what;
            shown.emplace_back(m.text, m.icon);
        }
        EXPECT_EQ(shown, c.messages) << c.what;
        EXPECT_EQ(app.storedSettings().priceSource, c.source) << c.what;
        EXPECT_EQ(fieldText(app.storedSettings().priceSourceDirs[c.source], kPriceSourceDirSize),
                  c.directory)
            << c.what;
        EXPECT_EQ(data.dir().read(app.path), account) << c.what;
        EXPECT_EQ(testing::viewSnapshot(app.controller), before) << c.what;
    }
}

TEST(PriceUpdate, MalformedMarketFilesChangeNoRowAndNoSlot) {
    // Every case holds data for 600001 and 0002 in some damaged shape; the main files exist, so
    // no message is due either.
    DayDat goodDays;
    goodDays.setClose(0, 0, 10.0f);
    DayDat badCloses;
    badCloses.setClose(0, 0, std::numeric_limits<float>::quiet_NaN());
    badCloses.setClose(0, 1, std::numeric_limits<float>::infinity());
    badCloses.setClose(0, 2, -3.5f);
    badCloses.setClose(0, 3, 3.0e9f);
    badCloses.setClose(0, 4, 0.0004f);
    const std::string bothEntries = typeDat({{1600001, 1, {0}}, {2, 1, {0}}});
    std::vector<std::uint16_t> fullList(kBlockListLength, 0);
    const auto dayFiles = [](const std::string& first, const std::string& second) {
        return Files{{"m/data/shase/day/600001.day", first}, {"m/data/sznse/day/0002.day", second}};
    };
    const auto typeAndDay = [](const std::string& type, const std::string& day) {
        return Files{{"m/db/type.dat", type}, {"m/db/day.dat", day}};
    };
    const auto text = [](const std::string& t) { return Files{{"m/20261210.txt", t}}; };
    const struct {
        const char* what;
        int source;
        Files files;
    } cases[] = {
        {"empty day files", 0, dayFiles("", "")},
        {"day files shorter than a record", 0, dayFiles(oneDay(9000).substr(0, 39), "x")},
        {"a record being appended", 0,
         dayFiles(oneDay(8000) + oneDay(9000).substr(0, 17), oneDay(8000) + "\x01")},
        {"closes of 0 and beyond a 32-bit price", 0, dayFiles(oneDay(0), oneDay(0x80000000u))},
        {"all bits set", 0, dayFiles(oneDay(0xFFFFFFFFu), oneDay(0xFFFFFFFFu))},
        {"type.dat empty", 1, typeAndDay("", goodDays.bytes())},
        {"type.dat shorter than its header", 1, typeAndDay("TYPE", goodDays.bytes())},
        {"entries cut short", 1, typeAndDay(bothEntries.substr(0, 8 + 207), goodDays.bytes())},
        {"blocks past the end of day.dat", 1,
         typeAndDay(typeDat({{1600001, 1, {1}}, {2, 1, {65535}}}), goodDays.bytes())},
        {"day counts past the block list or none", 1,
         typeAndDay(typeDat({{1600001, 28501, fullList}, {2, 0, {0}}}), goodDays.bytes())},
        {"day.dat ends inside the record", 1,
         typeAndDay(bothEntries, goodDays.bytes().substr(0, 4 + 23))},
        {"day.dat empty", 1, typeAndDay(bothEntries, "")},
        {"closes that are no number", 1,
         typeAndDay(typeDat({{1600001, 1, {0}}, {2, 2, {0}}}), badCloses.bytes())},
        {"negative and huge closes", 1,
         typeAndDay(typeDat({{1600001, 3, {0}}, {2, 4, {0}}}), badCloses.bytes())},
        {"closes below a milli-yuan", 1,
         typeAndDay(typeDat({{1600001, 5, {0}}, {2, 5, {0}}}), badCloses.bytes())},
        {"a twelve-character field before the stocks", 2,
         text("600009,abcdefghijkl,1.00\r\n600001,a,9.00\r\n0002,b,9.00\r\n")},
        {"lines ended by LF alone", 2, text("600001,a,9.00\n0002,b,9.00\n")},
        {"a last line without its end", 2, text("600009,x,1.00\r\n600001,a,9.00")},
        {"a line of two fields does not shift the next", 2,
         text("600001,9.00\r\n0002\r\n600009,0002,9.00\r\n")},
        {"lines of four fields", 2, text("600001,a,9.00,x\r\n0002,b,9.00,\r\n")},
        {"prices that are no plain positive number", 2,
         text("600001,a,1e2\r\n0002,b,-5.00\r\n600001,c,9.00\r\n")},
        {"zero and nothing", 2, text("600001,a,0.009\r\n0002,b,\r\n")},
        {"a NUL inside the code", 2, text(std::string("600001\0,a,9.00\r\n", 16))},
        {"binary noise", 2, text(std::string("\xFF\xFE\r\r\n\n,,,\x80", 10))},
    };
    for (const auto& c : cases) {
        DataDir data;
        PriceApp app(data, {held("600001"), held("0002")});
        app.write(c.files);
        const std::string account = data.dir().read(app.path);
        const auto before = testing::viewSnapshot(app.controller);
        app.update(c.source, "m");
        // Nothing usable: said as an error, and nothing changes.
        ASSERT_EQ(app.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(app.ui.messages[0].caption, gbk("错误")) << c.what;
        EXPECT_EQ(data.dir().read(app.path), account) << c.what;
        EXPECT_EQ(testing::viewSnapshot(app.controller), before) << c.what;
    }
}

TEST(PriceUpdate, AGroupWritesEachRowIntoItsOwnAccount) {
    DataDir data;
    PriceApp app(data);
    // A second account holds 600001 in another slot, and 0002.
    const std::string second = data.account(
        "zrdata", 2, "two",
        {held("0002"), LedgerRecord::of(testing::note(kHeldState, "x")), held("600001")});
    app.controller.buildTree();
    app.controller.selectNode(1);
    app.controller.selectNode(2);
    app.controller.selectNode(0);
    ASSERT_EQ(app.controller.lists().rows(LedgerList::Holdings).size(), 8u);
    const AccountNode* inFocus = app.controller.focus().currentAccount;
    const auto firstBefore = readAccount(data.fs(), app.path, Password{}, true).slots;
    const auto secondBefore = readAccount(data.fs(), second, Password{}, true).slots;

    app.write({{"cz/20261210.txt", "600001,a,12.00\r\n0002,b,8.00\r\n"}});
    app.update(kClosingTextSource, "cz");
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].caption, gbk("提示"));
    for (const LedgerRow& row : app.controller.lists().rows(LedgerList::Holdings)) {
        if (row.isSummary())
            continue;
        const std::string code(row.text(stock_column::kCode));
        const char* expected = code == "600001" ? "12.00" : code == "0002" ? "8.00" : "10.50";
        EXPECT_EQ(row.text(held_column::kCurrentPrice), expected) << code;
    }
    // Each file changed only in the prices of its own positions.
    const auto expectPrices = [&data](const std::string& account,
                                      const std::vector<LedgerRecord>& before,
                                      const std::map<std::size_t, std::int32_t>& prices) {
        const auto after = readAccount(data.fs(), account, Password{}, true).slots;
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            LedgerRecord expected = before[i];
            if (const auto price = prices.find(i); price != prices.end()) {
                StockRecord s = expected.as<StockRecord>();
                s.price = price->second;
                expected = LedgerRecord::of(s);
            }
            EXPECT_EQ(testing::bytesOf(after[i]), testing::bytesOf(expected))
                << account << " slot " << i;
        }
    };
    expectPrices(app.path, firstBefore, {{1, 12000}, {3, 8000}});
    expectPrices(second, secondBefore, {{0, 8000}, {2, 12000}});
    // Updating prices does not move the focus to another account.
    EXPECT_EQ(app.controller.focus().currentAccount, inFocus);
}

TEST(PriceUpdate, PricesThatCannotBeWrittenAreReportedAndChangeNoRow) {
    DataDir data;
    PriceApp app(data);
    app.write({{"cz/20261210.txt", "600001,a,12.00\r\n"}});
    const std::string account = data.dir().read(app.path);
    const auto before = testing::viewSnapshot(app.controller);
    app.fs.refusedWritesTo = {kJournalFileName};  // the slots cannot be written; the settings can
    app.update(kClosingTextSource, "cz");
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, writeFailedMessage(app.path));
    EXPECT_EQ(app.price("600001"), "10.50");
    EXPECT_EQ(testing::viewSnapshot(app.controller), before);
    EXPECT_EQ(data.dir().read(app.path), account);
    EXPECT_EQ(app.storedSettings().priceSource, kClosingTextSource);
}

}  // namespace
}  // namespace tallivan
