// The settings dialog's fee rules and its button for today's schedule.
#include <gtest/gtest.h>

#include "base/gbk.h"
#include "forms/config_form.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::RecordingUi;
using testing::typeAndLeave;

class ConfigRulesTest : public ::testing::Test {
  protected:
    ConfigRulesTest() : settings(defaultSettings()), form(ui, settings, [this] { ++saves; }) {}

    std::vector<std::string> fieldNames() const {
        std::vector<std::string> names;
        for (const Field& f : form.fields())
            names.push_back(f.name);
        return names;
    }

    RecordingUi ui;
    Settings settings;
    int saves = 0;
    ConfigForm form;
};

TEST_F(ConfigRulesTest, TheRulesComeBeforeTheValuesTheyQualify) {
    EXPECT_EQ(fieldNames(),
              (std::vector<std::string>{
                  field_id::kCategoryList, field_id::kTitle, field_id::kCodeLength, field_id::kCode,
                  field_id::kStampOnSalesOnly, field_id::kTransferOfAmount, field_id::kPriceInMilli,
                  field_id::kCommissionRate, field_id::kMinCommission, field_id::kStampTaxRate,
                  field_id::kTransferFee, field_id::kMinTransferFee, field_id::kOrderFee,
                  field_id::kOk, field_id::kCancel, field_id::kCurrentRates}));
    EXPECT_EQ(form.field(field_id::kStampOnSalesOnly).kind, FieldKind::Check);
    EXPECT_EQ(form.field(field_id::kStampOnSalesOnly).label, gbk("印花税只在卖出时收"));
    EXPECT_EQ(form.field(field_id::kTransferOfAmount).label, gbk("过户费按成交金额的百分比"));
    EXPECT_EQ(form.field(field_id::kCurrentRates).label, gbk("现行费率(&N)..."));
    EXPECT_FALSE(form.field(field_id::kStampOnSalesOnly).checked);
    EXPECT_FALSE(form.field(field_id::kTransferOfAmount).checked);
}

TEST_F(ConfigRulesTest, ARowUnderTodaysRulesKeepsItsRatesToFourDecimals) {
    form.select(field_id::kCategoryList, 3);
    form.toggle(field_id::kStampOnSalesOnly, true);
    form.toggle(field_id::kTransferOfAmount, true);
    EXPECT_EQ(form.field(field_id::kTransferFee).suffix, "%");  // the transfer fee is now a rate
    const struct {
        const char* field;
        const char* typed;
        const char* shown;
    } cases[] = {
        {field_id::kCommissionRate, "0.025", "0.025"},
        {field_id::kStampTaxRate, "0.05", "0.05"},
        {field_id::kTransferFee, "0.001", "0.001"},
        {field_id::kMinCommission, "5.004", "5"},  // amounts keep the cent
        {field_id::kMinTransferFee, "0.015", "0.02"},
        {field_id::kOrderFee, "0", "0"},
        {field_id::kCommissionRate, "0.01236", "0.0124"},  // rounded to four decimals
    };
    for (const auto& c : cases) {
        typeAndLeave(form, c.field, c.typed);
        EXPECT_EQ(form.field(c.field).text, c.shown) << c.field;
    }
    form.press(field_id::kOk);
    EXPECT_EQ(saves, 1);
    const StockCategory& row = settings.categories[3];
    EXPECT_EQ(row.feeRules, kStampOnSalesOnly | kTransferOfAmount);
    EXPECT_EQ(row.commissionRate, 0.0124);
    EXPECT_EQ(row.stampTaxRate, 0.05);
    EXPECT_EQ(row.transferFee, 0.001);
    EXPECT_EQ(row.minTransferFee, 0.02);

    // Another row shows its own rules; coming back shows the applied ones.
    form.select(field_id::kCategoryList, 0);
    EXPECT_FALSE(form.field(field_id::kTransferOfAmount).checked);
    EXPECT_EQ(form.field(field_id::kTransferFee).suffix, gbk("/千股"));
    typeAndLeave(form, field_id::kCommissionRate, "0.025");  // the old rules keep the cent
    EXPECT_EQ(form.field(field_id::kCommissionRate).text, "0.03");
    form.select(field_id::kCategoryList, 3);
    EXPECT_TRUE(form.field(field_id::kStampOnSalesOnly).checked);
    EXPECT_TRUE(form.field(field_id::kTransferOfAmount).checked);
    EXPECT_EQ(form.field(field_id::kCommissionRate).text, "0.0124");
}

TEST_F(ConfigRulesTest, UnappliedRulesAreDroppedAndUnknownBitsKept) {
    settings.categories[5].feeRules = 0x80 | kStampOnSalesOnly;
    form.select(field_id::kCategoryList, 5);
    EXPECT_TRUE(form.field(field_id::kStampOnSalesOnly).checked);
    form.toggle(field_id::kTransferOfAmount, true);
    form.select(field_id::kCategoryList, 6);  // dropped
    form.select(field_id::kCategoryList, 5);
    EXPECT_FALSE(form.field(field_id::kTransferOfAmount).checked);
    form.toggle(field_id::kStampOnSalesOnly, false);
    form.press(field_id::kOk);
    EXPECT_EQ(settings.categories[5].feeRules, 0x80);
    EXPECT_EQ(settings.categories[6].feeRules, 0);
}

TEST_F(ConfigRulesTest, TodaysScheduleAsksBeforeItReplacesTheTable) {
    form.select(field_id::kCategoryList, 1);
    ui.answerYes = false;
    form.press(field_id::kCurrentRates);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, gbk("警告"));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.messages[0].text, gbk("用现行费率替换全部20个分类的代码和费率吗?"));
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(fieldText(settings.categories[0].name, 13), gbk("上证Ａ股"));

    ui.answerYes = true;
    form.press(field_id::kCurrentRates);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(form.isOpen());
    EXPECT_EQ(form.focusRequest(), field_id::kCategoryList);
    const Field& list = form.field(field_id::kCategoryList);
    EXPECT_EQ(list.items[0], gbk("沪市主板"));
    EXPECT_EQ(list.items[12], gbk("未知"));
    // The selected row shows its new values.
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(form.field(field_id::kTitle).text, gbk("深市主板"));
    EXPECT_EQ(form.field(field_id::kCode).text, "00");
    EXPECT_EQ(form.field(field_id::kCodeLength).text, "6");
    EXPECT_EQ(form.field(field_id::kCommissionRate).text, "0.025");
    EXPECT_EQ(form.field(field_id::kTransferFee).text, "0.001");
    EXPECT_EQ(form.field(field_id::kTransferFee).suffix, "%");
    EXPECT_TRUE(form.field(field_id::kStampOnSalesOnly).checked);
    EXPECT_EQ(categoryOfCode(settings, "300750"), 2);

    // Its rates survive a person passing through the fields and applying the row.
    for (const char* name :
         {field_id::kCommissionRate, field_id::kMinCommission, field_id::kStampTaxRate,
          field_id::kTransferFee, field_id::kMinTransferFee, field_id::kOrderFee})
        form.leave(name);
    form.press(field_id::kOk);
    EXPECT_EQ(settings.categories[1].commissionRate, 0.025);
    EXPECT_EQ(settings.categories[1].transferFee, 0.001);
}

}  // namespace
}  // namespace tallivan
