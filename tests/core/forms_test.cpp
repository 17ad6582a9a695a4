#include <gtest/gtest.h>

#include "app/controller.h"
#include "base/gbk.h"
#include "forms/budget_form.h"
#include "forms/config_form.h"
#include "forms/number_fields.h"
#include "forms/options_form.h"
#include "ledger/fee_schedule.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::RecordingUi;
using testing::TempDir;
using testing::typeAndLeave;

struct BudgetCase {
    int category;
    const char* shares;
    const char* buy;
    const char* sell;
    const char* buyFee;
    const char* totalBuy;
    const char* sellFee;
    const char* totalSell;
    const char* profit;
    const char* rate;
};

// Types a case into the budget panel, presses 计算 and compares the six results.
void expectBudget(const Settings& settings, const BudgetCase& c) {
    RecordingUi ui;
    BudgetForm form(ui, settings);
    form.select(field_id::kStockCategory, c.category);
    typeAndLeave(form, field_id::kShares, c.shares);
    typeAndLeave(form, field_id::kBuyPrice, c.buy);
    typeAndLeave(form, field_id::kSellPrice, c.sell);
    form.press(field_id::kCalculate);
    SCOPED_TRACE(std::to_string(c.category) + ": " + c.shares);
    EXPECT_EQ(form.field(field_id::kBuyFee).text, c.buyFee);
    EXPECT_EQ(form.field(field_id::kBuyTotal).text, c.totalBuy);
    EXPECT_EQ(form.field(field_id::kSellFee).text, c.sellFee);
    EXPECT_EQ(form.field(field_id::kSellTotal).text, c.totalSell);
    EXPECT_EQ(form.field(field_id::kProfit).text, c.profit);
    EXPECT_EQ(form.field(field_id::kNetProfitRatio).text, c.rate);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(BudgetForm, PricesAPurchaseAndASale) {
    const BudgetCase cases[] = {
        {0, "1000", "10", "10.5", "81", "10081", "84.75", "10415.25", "334.25", "  3.32%"},
        {0, "100", "8.50", "8.50", "19.4", "869.4", "19.4", "830.6", "-38.8", " -4.46%"},
        {0, "0", "0", "0", "0", "0", "0", "0", "0", "  0.00%"},
        {2, "100", "1", "1", "5", "105", "5", "95", "-10", " -9.52%"},
    };
    const Settings settings = defaultSettings();
    for (const BudgetCase& c : cases)
        expectBudget(settings, c);
}

// Under today's schedule the purchase pays no stamp tax and the sale does: 5.10 against
// 5 + 5.25 + 0.11 (0.105 of transfer fee rounds up).
TEST(BudgetForm, PricesEachSideOnItsOwnUnderTodaysSchedule) {
    const BudgetCase cases[] = {
        {0, "1000", "10", "10.5", "5.1", "10005.1", "10.36", "10489.64", "484.54", "  4.84%"},
        {7, "1000", "10", "10.5", "5", "10005", "5", "10495", "490", "  4.90%"},
    };
    Settings settings = defaultSettings();
    applyCurrentFeeSchedule(settings);
    for (const BudgetCase& c : cases)
        expectBudget(settings, c);
}

TEST(BudgetForm, ListsTheCategoryNamesAndRewritesValidPrices) {
    RecordingUi ui;
    const Settings settings = defaultSettings();
    BudgetForm form(ui, settings);
    const Field& type = form.field(field_id::kStockCategory);
    ASSERT_EQ(type.items.size(), 20u);
    EXPECT_EQ(type.items[0], gbk("上证Ａ股"));
    EXPECT_EQ(type.selected, 0);
    typeAndLeave(form, field_id::kBuyPrice, "12.3456");
    EXPECT_EQ(form.field(field_id::kBuyPrice).text, "12.35");
    typeAndLeave(form, field_id::kBuyPrice, "10.00");
    EXPECT_EQ(form.field(field_id::kBuyPrice).text, "10");
    typeAndLeave(form, field_id::kShares, "$10");  // a valid count is left as typed
    EXPECT_EQ(form.field(field_id::kShares).text, "$10");
}

TEST(BudgetForm, AnInvalidEntryShowsTheMessageAndLeavesZero) {
    RecordingUi ui;
    const Settings settings = defaultSettings();
    BudgetForm form(ui, settings);
    typeAndLeave(form, field_id::kShares, "1000");
    typeAndLeave(form, field_id::kBuyPrice, "10");
    typeAndLeave(form, field_id::kSellPrice, "abc");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gbk("'abc' 为无效值,请重新输入！"));
    EXPECT_EQ(ui.messages[0].caption, gbk("错误"));
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(form.field(field_id::kSellPrice).text, "0");
    EXPECT_EQ(form.focusRequest(), field_id::kSellPrice);
    form.press(field_id::kCalculate);  // sells at 0: no sale fee, no proceeds
    EXPECT_EQ(form.field(field_id::kSellFee).text, "0");
    EXPECT_EQ(form.field(field_id::kProfit).text, "-10081");
    EXPECT_EQ(form.field(field_id::kNetProfitRatio).text, "-100.00%");
}

class ConfigFormTest : public ::testing::Test {
  protected:
    ConfigFormTest() : settings(defaultSettings()), form(ui, settings, [this] { ++saves; }) {}
    RecordingUi ui;
    Settings settings;
    int saves = 0;
    ConfigForm form;
};

TEST_F(ConfigFormTest, ShowsRowZeroInTheGeneralForm) {
    EXPECT_EQ(form.caption(), gbk("设置参数"));
    EXPECT_EQ(form.field(field_id::kCategoryList).items.size(), 20u);
    EXPECT_EQ(form.field(field_id::kCategoryList).selected, 0);
    EXPECT_EQ(form.field(field_id::kTitle).text, gbk("上证Ａ股"));
    EXPECT_EQ(form.field(field_id::kCodeLength).text, "6");
    EXPECT_EQ(form.field(field_id::kCode).text, "6");
    EXPECT_EQ(form.field(field_id::kCommissionRate).text, "0.35");
    EXPECT_EQ(form.field(field_id::kMinCommission).text, "10");
    EXPECT_EQ(form.field(field_id::kStampTaxRate).text, "0.4");
    EXPECT_EQ(form.field(field_id::kTransferFee).text, "1");
    EXPECT_EQ(form.field(field_id::kOrderFee).text, "5");
    EXPECT_EQ(form.field(field_id::kCommissionRate).suffix, "%");
    EXPECT_EQ(form.field(field_id::kTransferFee).suffix, gbk("/千股"));
    EXPECT_EQ(form.field(field_id::kTitle).maxBytes, 12u);
    form.select(field_id::kCategoryList, 2);
    EXPECT_EQ(form.field(field_id::kTitle).text, gbk("未知"));
    EXPECT_EQ(form.field(field_id::kCodeLength).text, "0");
    EXPECT_EQ(form.field(field_id::kCode).text, "");
    EXPECT_EQ(form.field(field_id::kCommissionRate).text, "0");
}

TEST_F(ConfigFormTest, AppliesTheRowAndSaves) {
    form.select(field_id::kCategoryList, 3);
    typeAndLeave(form, field_id::kTitle, gbk("创业板"));
    typeAndLeave(form, field_id::kCodeLength, "262");  // low 8 bits: 6
    typeAndLeave(form, field_id::kCode, "300");
    typeAndLeave(form, field_id::kCommissionRate, "0.075");
    EXPECT_EQ(form.field(field_id::kCommissionRate).text, "0.08");
    typeAndLeave(form, field_id::kOrderFee, "1");
    form.press(field_id::kOk);
    EXPECT_EQ(saves, 1);
    const StockCategory& row = settings.categories[3];
    EXPECT_EQ(fieldText(row.name, 13), gbk("创业板"));
    EXPECT_EQ(row.codeLength, 6);
    EXPECT_EQ(fieldText(row.codePrefix, 5), "300");
    EXPECT_EQ(row.commissionRate, 0.08);
    EXPECT_EQ(row.orderFee, 1.0);
    EXPECT_EQ(form.field(field_id::kCategoryList).items[3], gbk("创业板"));
    EXPECT_EQ(form.focusRequest(), field_id::kCategoryList);
    EXPECT_TRUE(form.isOpen());  // the dialog stays open
    EXPECT_EQ(categoryOfCode(settings, "300001"), 3);
}

TEST_F(ConfigFormTest, UnappliedChangesAreDroppedAndInvalidValuesRestored) {
    typeAndLeave(form, field_id::kMinCommission, "7");
    typeAndLeave(form, field_id::kCodeLength, "x1");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gbk("'x1' 为无效值,请重新输入！"));
    EXPECT_EQ(form.field(field_id::kCodeLength).text, "6");
    typeAndLeave(form, field_id::kStampTaxRate, "");
    EXPECT_EQ(form.field(field_id::kStampTaxRate).text, "0.4");
    form.select(field_id::kCategoryList, 1);
    form.select(field_id::kCategoryList, 0);
    EXPECT_EQ(form.field(field_id::kMinCommission).text, "10");
    form.press(field_id::kCancel);
    EXPECT_EQ(form.result(), Form::Result::Cancel);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(settings.categories[0].minCommission, 10.0);
}

TEST(Controller, StartsWithTheSettingsFileAndSavesAppliedRows) {
    TempDir dir;
    PosixFileSystem fs(dir.path());
    FixedClock clock({2026, 12, 10});
    RecordingUi ui;
    {
        Settings s = defaultSettings();
        s.categories[0].commissionRate = 0.1;
        ASSERT_EQ(saveSettings(fs, s), 0);
    }
    Controller controller(ui, fs, clock);
    controller.start();
    EXPECT_EQ(controller.statusDate(), "2026-12-10");
    EXPECT_EQ(controller.statusWeekday(), gbk("星期四"));
    // 10000 * 0.1 % = 10 (the minimum) + 40 + 1 + 5
    EXPECT_EQ(controller.quoteFee("600000", 1000, 10, TradeSide::Buy).fee, 56.0);
    EXPECT_EQ(controller.quoteFee("000001", 1000, 10, TradeSide::Buy).category, -1);

    ui.onDialog = [](Form& form) {
        form.select(field_id::kCategoryList, 0);
        typeAndLeave(form, field_id::kMinCommission, "0");
        form.press(field_id::kOk);
        form.press(field_id::kCancel);
    };
    controller.configure();
    EXPECT_EQ(ui.dialogsRun, 1);
    EXPECT_EQ(controller.quoteFee("600000", 1000, 10, TradeSide::Buy).fee,
              56.0);  // 10 is now the real rate
    EXPECT_EQ(controller.quoteFee("600000", 100, 10, TradeSide::Buy).fee, 1.0 + 4.0 + 1.0 + 5.0);

    Controller restarted(ui, fs, clock);
    restarted.start();
    EXPECT_EQ(restarted.settings().categories[0].minCommission, 0.0);
}

TEST(Controller, WeekdaysOfTheStatusBar) {
    const struct {
        Date date;
        int weekday;
    } cases[] = {{{2026, 12, 10}, 5},
                 {{2000, 12, 17}, 1},
                 {{1981, 1, 1}, 5},
                 {{2080, 2, 29}, 5},
                 {{2024, 3, 2}, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(weekdayOf(c.date), c.weekday) << isoDate(c.date);
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

TEST(OptionsForm, OkStoresBothFieldsAndCancelNothing) {
    for (const bool ok : {true, false}) {
        RecordingUi ui;
        Settings settings = defaultSettings();
        OptionsForm form(ui, settings);
        EXPECT_EQ(form.caption(), gbk("选项"));
        EXPECT_EQ(form.field(field_id::kDirectory).text, "zrdata");
        EXPECT_FALSE(form.field(field_id::kWantPassword).checked);
        form.type(field_id::kDirectory,
                  "zrdata;" + std::string(60, 'd'));  // the edit keeps 50 bytes
        form.toggle(field_id::kWantPassword, true);
        form.press(ok ? field_id::kOk : field_id::kCancel);
        EXPECT_EQ(form.result(), ok ? Form::Result::Ok : Form::Result::Cancel);
        const std::string dir = fieldText(settings.accountSearchDir, 51);
        EXPECT_EQ(dir, ok ? "zrdata;" + std::string(43, 'd') : "zrdata");
        EXPECT_EQ(settings.wantPassword, ok ? 1 : 0);
    }
}

}  // namespace
}  // namespace tallivan
