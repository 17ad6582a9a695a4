#include "forms/stock_edit_form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "ledger/fee_schedule.h"
#include "storage/file_io.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::RecordingUi;
using testing::TempDir;
using testing::typeAndLeave;

const char* const kInvalidSuffix = "' 为无效值,请重新输入！";

// 1000 shares of a Shanghai A share bought for 10081.00 in all (10.00 a share plus 81.00 of
// fees in the default table), now at 10.50, stop-loss at 9.66, take-profit at 11.18.
StockRecord heldPosition() {
    StockRecord stock;
    copyToField(stock.code, sizeof stock.code, "600001");
    stock.shares = 1000;
    stock.cost = 10081000;
    stock.price = 10500;
    stock.stopLossPrice = 9660;
    stock.takeProfitPrice = 11180;
    stock.year = 2026;
    stock.month = 1;
    stock.day = 5;
    return stock;
}

StockRecord soldPosition() {
    StockRecord stock = heldPosition();
    stock.kindState = kindStateOf(SlotKind::Stock, kSoldState);
    stock.proceeds = 10400000;
    return stock;
}

NoteRecord noteOf(const std::string& memo) {
    NoteRecord note;
    copyToField(note.memo, sizeof note.memo, memo);
    return note;
}

class StockEditFormTest : public ::testing::Test {
  protected:
    StockEditFormTest() : settings(defaultSettings()) {
        PosixFileSystem fs(dir.path());
        names.storeName(fs, "600001", gbk("浦发银行"));
    }

    // Opens the dialog on `stock` and `note`; kept alive until the test ends.
    StockEditForm& open(bool hasNoteSlot = true) {
        form = std::make_unique<StockEditForm>(ui, stock, note, hasNoteSlot, settings, names);
        return *form;
    }

    const std::string& text(const char* field) const { return form->field(field).text; }

    TempDir dir;
    RecordingUi ui;
    Settings settings;
    NameTable names;
    StockRecord stock = heldPosition();
    NoteRecord note = noteOf(gbk("长线持有"));
    std::unique_ptr<StockEditForm> form;
};

TEST_F(StockEditFormTest, OpensAHeldPositionWithWhatEachPriceBrings) {
    StockEditForm& f = open();
    EXPECT_EQ(f.caption(), gbk("修改股票"));
    EXPECT_TRUE(f.held());
    std::vector<std::string> tabOrder;
    for (const Field& field : f.fields()) {
        if (field.tabStop)
            tabOrder.push_back(field.name);
    }
    EXPECT_EQ(tabOrder,
              (std::vector<std::string>{"txtMemo", "txtNowPrice", "txtZsPrice", "txtKs", "cmdCalKs",
                                        "txtKsl", "cmdCalKsl", "txtHlPrice", "txtYl", "cmdCalYl",
                                        "txtYll", "cmdCalYll", "cmdOk", "cmdCancel"}));
    for (const char* name : {"txtCode", "txtStockNum", "txtPrice", "txtCost", "txtXj"}) {
        EXPECT_TRUE(f.field(name).readOnly) << name;
        EXPECT_FALSE(f.field(name).tabStop) << name;
    }
    for (const Field& field : f.fields())
        EXPECT_TRUE(field.visible) << field.name;
    EXPECT_EQ(f.field("grpStk").text, gbk("总买价/备注"));
    EXPECT_EQ(f.field("grpPrice").text, gbk("止损价/获利价"));
    EXPECT_EQ(f.field("txtKsl").suffix, "%");
    EXPECT_EQ(f.field("txtYll").suffix, "%");
    EXPECT_EQ(f.field("txtMemo").maxBytes, 30u);
    EXPECT_TRUE(f.field("txtMemo").enabled);
    EXPECT_EQ(f.field("cmdCalYll").label, gbk("计算"));

    const struct {
        const char* field;
        const char* label;
        std::string text;
    } shown[] = {
        {"txtCode", "证券", "600001 " + gbk("浦发银行")},
        {"txtStockNum", "股数", "1000"},
        {"txtPrice", "买价", "10.00"},
        {"txtCost", "总买价", "10081"},
        {"txtMemo", "备注", gbk("长线持有")},
        {"txtNowPrice", "现价", "10.5"},
        {"txtXj", "总现价", "10415.25"},  // 10500 - 84.75
        {"txtZsPrice", "止损价", "9.66"},
        {"txtKs", "亏损", "-499.45"},
        {"txtKsl", "亏损率", "-4.95"},
        {"txtHlPrice", "获利价", "11.18"},
        {"txtYl", "盈利", "1009.15"},
        {"txtYll", "盈利率", "10.01"},
    };
    for (const auto& s : shown) {
        EXPECT_EQ(f.field(s.field).label, gbk(s.label)) << s.field;
        EXPECT_EQ(text(s.field), s.text) << s.field;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StockEditFormTest, LeavingAPriceShowsWhatItBrings) {
    stock.price = 0;
    stock.stopLossPrice = 0;
    stock.takeProfitPrice = 0;
    open();
    EXPECT_EQ(text("txtXj"), "0.00");
    EXPECT_EQ(text("txtKs"), "-10081.00");
    EXPECT_EQ(text("txtKsl"), "-100.00");

    const struct {
        const char* field;
        const char* typed;
        const char* shown;
        const char* amountField;
        const char* amount;
        const char* ratioField;  // nullptr: the current price has no ratio
        const char* ratio;
    } cases[] = {
        {"txtNowPrice", "10.50", "10.5", "txtXj", "10415.25", nullptr, nullptr},
        {"txtZsPrice", "9.66", "9.66", "txtKs", "-499.45", "txtKsl", "-4.95"},
        {"txtZsPrice", "10.004", "10", "txtKs", "-162.00", "txtKsl", "-1.61"},
        {"txtHlPrice", "11.18", "11.18", "txtYl", "1009.15", "txtYll", "10.01"},
        {"txtHlPrice", "12.3456", "12.35", "txtYl", "2170.37", "txtYll", "21.53"},
    };
    for (const auto& c : cases) {
        typeAndLeave(*form, c.field, c.typed);
        EXPECT_EQ(text(c.field), c.shown) << c.typed;
        EXPECT_EQ(text(c.amountField), c.amount) << c.typed;
        if (c.ratioField) {
            EXPECT_EQ(text(c.ratioField), c.ratio) << c.typed;
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StockEditFormTest, CalculateFindsThePriceForATypedLossOrProfit) {
    const struct {
        const char* button;
        const char* source;
        const char* typed;
        const char* priceField;
        const char* price;
        const char* amountField;
        const char* amount;
        const char* ratioField;
        const char* ratio;
    } cases[] = {
        {"cmdCalKs", "txtKs", "-500", "txtZsPrice", "9.66", "txtKs", "-499.45", "txtKsl", "-4.95"},
        // Target -201.62: 9.96 nets 9879.30, just short of 10081 - 201.62, so 9.97 it is.
        {"cmdCalKsl", "txtKsl", "-2", "txtZsPrice", "9.97", "txtKs", "-191.78", "txtKsl", "-1.90"},
        // A target of 0 is break-even; a positive "loss" lies above it.
        {"cmdCalKs", "txtKs", "0", "txtZsPrice", "10.17", "txtKs", "6.72", "txtKsl", "0.07"},
        {"cmdCalYl", "txtYl", "500", "txtHlPrice", "10.67", "txtYl", "502.97", "txtYll", "4.99"},
        // Target 1008.10.
        {"cmdCalYll", "txtYll", "10", "txtHlPrice", "11.18", "txtYl", "1009.15", "txtYll", "10.01"},
    };
    for (const auto& c : cases) {
        open();
        form->type(c.source, c.typed);
        form->leave(c.source);
        form->press(c.button);
        EXPECT_EQ(text(c.priceField), c.price) << c.button << ' ' << c.typed;
        EXPECT_EQ(text(c.amountField), c.amount) << c.button << ' ' << c.typed;
        EXPECT_EQ(text(c.ratioField), c.ratio) << c.button << ' ' << c.typed;
        EXPECT_EQ(form->focusRequest(), c.source);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(StockEditFormTest, ZeroCostOrUnknownCategoryGivesNoPrices) {
    const struct {
        const char* code;
        std::int64_t cost;
        const char* buyPrice;
        const char* net;
        const char* loss;
        const char* lossRatio;
        const char* ratioAtPriceZero;
    } cases[] = {
        {"600001", 0, "0.00", "10415.25", "9581.55", "0.00", "0.00"},
        // No category row matches: no fees, no buy price.
        {"000001", 10081000, "0.00", "10500.00", "-421.00", "-4.18", "-100.00"},
    };
    for (const auto& c : cases) {
        stock = heldPosition();
        copyToField(stock.code, sizeof stock.code, c.code);
        stock.cost = c.cost;
        open();
        EXPECT_EQ(text("txtPrice"), c.buyPrice) << c.code;
        EXPECT_EQ(text("txtXj"), c.net) << c.code;
        EXPECT_EQ(text("txtKs"), c.loss) << c.code;
        EXPECT_EQ(text("txtKsl"), c.lossRatio) << c.code;
        const struct {
            const char* button;
            const char* price;
        } buttons[] = {{"cmdCalKs", "txtZsPrice"},
                       {"cmdCalKsl", "txtZsPrice"},
                       {"cmdCalYl", "txtHlPrice"},
                       {"cmdCalYll", "txtHlPrice"}};
        for (const auto& b : buttons) {
            form->press(b.button);
            EXPECT_EQ(text(b.price), "0") << c.code << ' ' << b.button;
        }
        EXPECT_EQ(text("txtKsl"), c.ratioAtPriceZero) << c.code;
        EXPECT_EQ(text("txtYll"), c.ratioAtPriceZero) << c.code;
    }
    EXPECT_EQ(text("txtCode"), "000001 000001");  // no name: the code itself
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StockEditFormTest, BadNumbersAreRefusedAndNothingIsRecomputed) {
    const struct {
        const char* field;
        const char* typed;
        const char* button;  // nullptr: only leaving the field
        const char* restored;
    } cases[] = {
        {"txtNowPrice", "abc", nullptr, "10.5"},
        {"txtZsPrice", "9,66", nullptr, "9.66"},
        {"txtHlPrice", "", nullptr, "11.18"},
        {"txtKs", "abc", "cmdCalKs", "-499.45"},
        {"txtKsl", "5%", "cmdCalKsl", "-4.95"},
        {"txtYl", "", "cmdCalYl", "1009.15"},
        {"txtYll", "1O", "cmdCalYll", "10.01"},
        // Prices the record's 32-bit fields cannot hold.
        {"txtNowPrice", "2147483.65", nullptr, "10.5"},
        {"txtHlPrice", "-2147483.65", nullptr, "11.18"},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        open();
        const std::vector<Field> before(form->fields().begin(), form->fields().end());
        form->type(c.field, c.typed);
        if (c.button)
            form->press(c.button);
        else
            form->leave(c.field);
        ASSERT_EQ(ui.messages.size(), 1u) << c.typed;
        EXPECT_EQ(ui.messages[0].text, "'" + std::string(c.typed) + gbk(kInvalidSuffix));
        EXPECT_EQ(ui.messages[0].caption, gbk("错误"));
        EXPECT_EQ(form->focusRequest(), c.field);
        EXPECT_EQ(text(c.field), c.restored) << c.typed;
        for (const Field& f : before)
            EXPECT_EQ(text(f.name.c_str()), f.text) << c.typed << ' ' << f.name;
    }
}

TEST_F(StockEditFormTest, APriceFoundBeyondItsFieldIsRefusedToo) {
    // Without rates the fee stays small, so the search reaches such a price.
    settings.categories[0].commissionRate = 0;
    settings.categories[0].stampTaxRate = 0;
    open();
    typeAndLeave(*form, "txtYl", "3e9");
    form->press("cmdCalYl");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.ends_with(gbk(kInvalidSuffix)));
    EXPECT_EQ(text("txtHlPrice"), "11.18");
    EXPECT_EQ(text("txtYl"), "3000000000");
    form->press("cmdOk");
    EXPECT_EQ(stock.takeProfitPrice, 11180);
}

TEST_F(StockEditFormTest, OkStoresTheHeldPositionsPricesCostAndMemo) {
    stock.cost = 10081004;  // stored back rounded to the cent
    const StockRecord before = stock;
    ui.onDialog = [](Form& f) {
        typeAndLeave(f, "txtMemo", gbk("止损后不再买入此股票，等待下一次机会出现"));
        typeAndLeave(f, "txtNowPrice", "10.8");
        typeAndLeave(f, "txtHlPrice", "2147483.64");
        // The stop-loss price has a 64-bit field.
        typeAndLeave(f, "txtZsPrice", "3000000.01");
        f.press("cmdOk");
    };
    EXPECT_TRUE(ui.runDialog(open()));
    EXPECT_EQ(fieldText(note.memo, sizeof note.memo),
              gbk("止损后不再买入此股票，等待下一"));  // 30 bytes
    EXPECT_EQ(stock.cost, 10081000);
    EXPECT_EQ(stock.price, 10800);
    EXPECT_EQ(stock.takeProfitPrice, 2147483640);
    EXPECT_EQ(stock.stopLossPrice, 3000000010);
    EXPECT_EQ(stock.kindState, before.kindState);
    EXPECT_EQ(fieldText(stock.code, sizeof stock.code), "600001");
    EXPECT_EQ(stock.shares, before.shares);
    EXPECT_EQ(stock.year, before.year);
    EXPECT_EQ(stock.day, before.day);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StockEditFormTest, ASoldPositionShowsAndStoresOnlyCostAndMemo) {
    stock = soldPosition();
    stock.cost = 10081006;
    StockEditForm& f = open();
    EXPECT_FALSE(f.held());
    for (const char* name :
         {"grpPrice", "txtNowPrice", "txtXj", "txtZsPrice", "txtKs", "cmdCalKs", "txtKsl",
          "cmdCalKsl", "txtHlPrice", "txtYl", "cmdCalYl", "txtYll", "cmdCalYll"}) {
        EXPECT_FALSE(f.field(name).visible) << name;
    }
    for (const char* name : {"grpStk", "txtCode", "txtStockNum", "txtPrice", "txtCost", "txtMemo",
                             "cmdOk", "cmdCancel"}) {
        EXPECT_TRUE(f.field(name).visible) << name;
    }
    EXPECT_EQ(text("txtPrice"), "10.00");
    EXPECT_EQ(text("txtCost"), "10081.01");
    typeAndLeave(f, "txtMemo", "done");
    f.press("cmdCalKs");  // hidden: does nothing
    f.press("cmdOk");
    ASSERT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(fieldText(note.memo, sizeof note.memo), "done");
    EXPECT_EQ(stock.cost, 10081010);
    EXPECT_EQ(stock.price, 10500);
    EXPECT_EQ(stock.takeProfitPrice, 11180);
    EXPECT_EQ(stock.proceeds, 10400000);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StockEditFormTest, WithoutANoteSlotTheMemoIsLockedAndNotStored) {
    std::memset(static_cast<void*>(&note), 0x5A, sizeof note);
    note.memo[10] = '\0';
    const NoteRecord before = note;
    StockEditForm& f = open(false);
    EXPECT_FALSE(f.field("txtMemo").enabled);
    EXPECT_TRUE(f.field("txtMemo").locked);
    EXPECT_EQ(text("txtMemo"), std::string(10, 'Z'));
    f.press("cmdOk");
    ASSERT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(std::memcmp(&note, &before, sizeof note), 0);
}

TEST_F(StockEditFormTest, OkAfterARefusedEntryKeepsTheDialogOpen) {
    const StockRecord before = stock;
    StockEditForm& f = open();
    typeAndLeave(f, "txtNowPrice", "x");
    f.press("cmdOk");
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(std::memcmp(&stock, &before, sizeof stock), 0);
    typeAndLeave(f, "txtNowPrice", "11");
    f.press("cmdOk");
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(stock.price, 11000);
}

TEST_F(StockEditFormTest, CancelStoresNothing) {
    const StockRecord before = stock;
    const NoteRecord noteBefore = note;
    ui.onDialog = [](Form& f) {
        typeAndLeave(f, "txtMemo", "x");
        typeAndLeave(f, "txtNowPrice", "12");
        f.press("cmdCalYll");
        f.press("cmdCancel");
    };
    EXPECT_FALSE(ui.runDialog(open()));
    EXPECT_EQ(std::memcmp(&stock, &before, sizeof stock), 0);
    EXPECT_EQ(std::memcmp(&note, &noteBefore, sizeof note), 0);
}

// Under today's schedule every price of the dialog supposes a sale, with its stamp tax: 1000
// shares that cost 10000.00 net 10500 - 10.36 at 10.50 and break even at 10.02; the buy price
// is a purchase's (9990 + 5.10 fits the cost).
TEST_F(StockEditFormTest, TodaysScheduleValuesThePositionAsASale) {
    applyCurrentFeeSchedule(settings);
    stock.cost = 10000000;
    StockEditForm& f = open();
    EXPECT_EQ(text("txtPrice"), "9.99");
    EXPECT_EQ(text("txtXj"), "10489.64");
    typeAndLeave(f, "txtKs", "0");
    f.press("cmdCalKs");
    EXPECT_EQ(text("txtZsPrice"), "10.02");
    EXPECT_EQ(text("txtKs"), "9.89");  // 10020 - 10.11 - 10000
}

}  // namespace
}  // namespace tallivan
