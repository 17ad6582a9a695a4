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
    EXPECT_EQ(tabOrder, (std::vector<std::string>{
                            field_id::kMemo, field_id::kCurrentPrice, field_id::kStopLossPrice,
                            field_id::kLoss, field_id::kCalculateLoss, field_id::kLossRatio,
                            field_id::kCalculateLossRatio, field_id::kTakeProfitPrice,
                            field_id::kProfit, field_id::kCalculateProfit, field_id::kProfitRatio,
                            field_id::kCalculateProfitRatio, field_id::kOk, field_id::kCancel}));
    for (const char* name : {field_id::kCode, field_id::kShares, field_id::kPrice, field_id::kCost,
                             field_id::kCurrentValue}) {
        EXPECT_TRUE(f.field(name).readOnly) << name;
        EXPECT_FALSE(f.field(name).tabStop) << name;
    }
    for (const Field& field : f.fields())
        EXPECT_TRUE(field.visible) << field.name;
    EXPECT_EQ(f.field(field_id::kTradeGroup).text, gbk("总买价/备注"));
    EXPECT_EQ(f.field(field_id::kPriceGroup).text, gbk("止损价/获利价"));
    EXPECT_EQ(f.field(field_id::kLossRatio).suffix, "%");
    EXPECT_EQ(f.field(field_id::kProfitRatio).suffix, "%");
    EXPECT_EQ(f.field(field_id::kMemo).maxBytes, 30u);
    EXPECT_TRUE(f.field(field_id::kMemo).enabled);
    EXPECT_EQ(f.field(field_id::kCalculateProfitRatio).label, gbk("计算"));

    const struct {
        const char* field;
        const char* label;
        std::string text;
    } shown[] = {
        {field_id::kCode, "证券", "600001 " + gbk("浦发银行")},
        {field_id::kShares, "股数", "1000"},
        {field_id::kPrice, "买价", "10.00"},
        {field_id::kCost, "总买价", "10081"},
        {field_id::kMemo, "备注", gbk("长线持有")},
        {field_id::kCurrentPrice, "现价", "10.5"},
        {field_id::kCurrentValue, "总现价", "10415.25"},  // 10500 - 84.75
        {field_id::kStopLossPrice, "止损价", "9.66"},
        {field_id::kLoss, "亏损", "-499.45"},
        {field_id::kLossRatio, "亏损率", "-4.95"},
        {field_id::kTakeProfitPrice, "获利价", "11.18"},
        {field_id::kProfit, "盈利", "1009.15"},
        {field_id::kProfitRatio, "盈利率", "10.01"},
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
    EXPECT_EQ(text(field_id::kCurrentValue), "0.00");
    EXPECT_EQ(text(field_id::kLoss), "-10081.00");
    EXPECT_EQ(text(field_id::kLossRatio), "-100.00");

    const struct {
        const char* field;
        const char* typed;
        const char* shown;
        const char* amountField;
        const char* amount;
        const char* ratioField;  // nullptr: the current price has no ratio
        const char* ratio;
    } cases[] = {
        {field_id::kCurrentPrice, "10.50", "10.5", field_id::kCurrentValue, "10415.25", nullptr,
         nullptr},
        {field_id::kStopLossPrice, "9.66", "9.66", field_id::kLoss, "-499.45", field_id::kLossRatio,
         "-4.95"},
        {field_id::kStopLossPrice, "10.004", "10", field_id::kLoss, "-162.00", field_id::kLossRatio,
         "-1.61"},
        {field_id::kTakeProfitPrice, "11.18", "11.18", field_id::kProfit, "1009.15",
         field_id::kProfitRatio, "10.01"},
        {field_id::kTakeProfitPrice, "12.3456", "12.35", field_id::kProfit, "2170.37",
         field_id::kProfitRatio, "21.53"},
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
        {field_id::kCalculateLoss, field_id::kLoss, "-500", field_id::kStopLossPrice, "9.66",
         field_id::kLoss, "-499.45", field_id::kLossRatio, "-4.95"},
        // Target -201.62: 9.96 nets 9879.30, just short of 10081 - 201.62, so 9.97 it is.
        {field_id::kCalculateLossRatio, field_id::kLossRatio, "-2", field_id::kStopLossPrice,
         "9.97", field_id::kLoss, "-191.78", field_id::kLossRatio, "-1.90"},
        // A target of 0 is break-even; a positive "loss" lies above it.
        {field_id::kCalculateLoss, field_id::kLoss, "0", field_id::kStopLossPrice, "10.17",
         field_id::kLoss, "6.72", field_id::kLossRatio, "0.07"},
        {field_id::kCalculateProfit, field_id::kProfit, "500", field_id::kTakeProfitPrice, "10.67",
         field_id::kProfit, "502.97", field_id::kProfitRatio, "4.99"},
        // Target 1008.10.
        {field_id::kCalculateProfitRatio, field_id::kProfitRatio, "10", field_id::kTakeProfitPrice,
         "11.18", field_id::kProfit, "1009.15", field_id::kProfitRatio, "10.01"},
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
        EXPECT_EQ(text(field_id::kPrice), c.buyPrice) << c.code;
        EXPECT_EQ(text(field_id::kCurrentValue), c.net) << c.code;
        EXPECT_EQ(text(field_id::kLoss), c.loss) << c.code;
        EXPECT_EQ(text(field_id::kLossRatio), c.lossRatio) << c.code;
        const struct {
            const char* button;
            const char* price;
        } buttons[] = {{field_id::kCalculateLoss, field_id::kStopLossPrice},
                       {field_id::kCalculateLossRatio, field_id::kStopLossPrice},
                       {field_id::kCalculateProfit, field_id::kTakeProfitPrice},
                       {field_id::kCalculateProfitRatio, field_id::kTakeProfitPrice}};
        for (const auto& b : buttons) {
            form->press(b.button);
            EXPECT_EQ(text(b.price), "0") << c.code << ' ' << b.button;
        }
        EXPECT_EQ(text(field_id::kLossRatio), c.ratioAtPriceZero) << c.code;
        EXPECT_EQ(text(field_id::kProfitRatio), c.ratioAtPriceZero) << c.code;
    }
    EXPECT_EQ(text(field_id::kCode), "000001 000001");  // no name: the code itself
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StockEditFormTest, BadNumbersAreRefusedAndNothingIsRecomputed) {
    const struct {
        const char* field;
        const char* typed;
        const char* button;  // nullptr: only leaving the field
        const char* restored;
    } cases[] = {
        {field_id::kCurrentPrice, "abc", nullptr, "10.5"},
        {field_id::kStopLossPrice, "9,66", nullptr, "9.66"},
        {field_id::kTakeProfitPrice, "", nullptr, "11.18"},
        {field_id::kLoss, "abc", field_id::kCalculateLoss, "-499.45"},
        {field_id::kLossRatio, "5%", field_id::kCalculateLossRatio, "-4.95"},
        {field_id::kProfit, "", field_id::kCalculateProfit, "1009.15"},
        {field_id::kProfitRatio, "1O", field_id::kCalculateProfitRatio, "10.01"},
        // Prices the record's 32-bit fields cannot hold.
        {field_id::kCurrentPrice, "2147483.65", nullptr, "10.5"},
        {field_id::kTakeProfitPrice, "-2147483.65", nullptr, "11.18"},
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
    typeAndLeave(*form, field_id::kProfit, "3e9");
    form->press(field_id::kCalculateProfit);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.ends_with(gbk(kInvalidSuffix)));
    EXPECT_EQ(text(field_id::kTakeProfitPrice), "11.18");
    EXPECT_EQ(text(field_id::kProfit), "3000000000");
    form->press(field_id::kOk);
    EXPECT_EQ(stock.takeProfitPrice, 11180);
}

TEST_F(StockEditFormTest, OkStoresTheHeldPositionsPricesCostAndMemo) {
    stock.cost = 10081004;  // stored back rounded to the cent
    const StockRecord before = stock;
    ui.onDialog = [](Form& f) {
        typeAndLeave(f, field_id::kMemo, gbk("止损后不再买入此股票，等待下一次机会出现"));
        typeAndLeave(f, field_id::kCurrentPrice, "10.8");
        typeAndLeave(f, field_id::kTakeProfitPrice, "2147483.64");
        // The stop-loss price has a 64-bit field.
        typeAndLeave(f, field_id::kStopLossPrice, "3000000.01");
        f.press(field_id::kOk);
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
         {field_id::kPriceGroup, field_id::kCurrentPrice, field_id::kCurrentValue,
          field_id::kStopLossPrice, field_id::kLoss, field_id::kCalculateLoss, field_id::kLossRatio,
          field_id::kCalculateLossRatio, field_id::kTakeProfitPrice, field_id::kProfit,
          field_id::kCalculateProfit, field_id::kProfitRatio, field_id::kCalculateProfitRatio}) {
        EXPECT_FALSE(f.field(name).visible) << name;
    }
    for (const char* name :
         {field_id::kTradeGroup, field_id::kCode, field_id::kShares, field_id::kPrice,
          field_id::kCost, field_id::kMemo, field_id::kOk, field_id::kCancel}) {
        EXPECT_TRUE(f.field(name).visible) << name;
    }
    EXPECT_EQ(text(field_id::kPrice), "10.00");
    EXPECT_EQ(text(field_id::kCost), "10081.01");
    typeAndLeave(f, field_id::kMemo, "done");
    f.press(field_id::kCalculateLoss);  // hidden: does nothing
    f.press(field_id::kOk);
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
    EXPECT_FALSE(f.field(field_id::kMemo).enabled);
    EXPECT_TRUE(f.field(field_id::kMemo).locked);
    EXPECT_EQ(text(field_id::kMemo), std::string(10, 'Z'));
    f.press(field_id::kOk);
    ASSERT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(std::memcmp(&note, &before, sizeof note), 0);
}

TEST_F(StockEditFormTest, OkAfterARefusedEntryKeepsTheDialogOpen) {
    const StockRecord before = stock;
    StockEditForm& f = open();
    typeAndLeave(f, field_id::kCurrentPrice, "x");
    f.press(field_id::kOk);
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(std::memcmp(&stock, &before, sizeof stock), 0);
    typeAndLeave(f, field_id::kCurrentPrice, "11");
    f.press(field_id::kOk);
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(stock.price, 11000);
}

TEST_F(StockEditFormTest, CancelStoresNothing) {
    const StockRecord before = stock;
    const NoteRecord noteBefore = note;
    ui.onDialog = [](Form& f) {
        typeAndLeave(f, field_id::kMemo, "x");
        typeAndLeave(f, field_id::kCurrentPrice, "12");
        f.press(field_id::kCalculateProfitRatio);
        f.press(field_id::kCancel);
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
    EXPECT_EQ(text(field_id::kPrice), "9.99");
    EXPECT_EQ(text(field_id::kCurrentValue), "10489.64");
    typeAndLeave(f, field_id::kLoss, "0");
    f.press(field_id::kCalculateLoss);
    EXPECT_EQ(text(field_id::kStopLossPrice), "10.02");
    EXPECT_EQ(text(field_id::kLoss), "9.89");  // 10020 - 10.11 - 10000
}

}  // namespace
}  // namespace tallivan
