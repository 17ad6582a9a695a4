#include "forms/fund_form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::RecordingUi;
using testing::typeAndLeave;

const Date kToday{2026, 3, 7};

// A record holding bytes from an earlier use, to show which ones the dialog replaces.
FundRecord usedRecord() {
    FundRecord fund;
    std::memset(static_cast<void*>(&fund), 0x5A, sizeof fund);
    return fund;
}

std::vector<std::string> fieldNames(const Form& form) {
    std::vector<std::string> names;
    for (const Field& f : form.fields())
        names.push_back(f.name);
    return names;
}

TEST(FundForm, OpensOnTodayWithADepositOfZero) {
    RecordingUi ui;
    FundRecord fund;
    FundForm form(ui, fund, kToday);
    EXPECT_EQ(form.caption(), gbk("存取资金"));
    EXPECT_EQ(fieldNames(form),
              (std::vector<std::string>{"txtYear", "txtMonth", "txtDay", "txtTitle", "cboOperation",
                                        "txtMoney", "txtMemo", "cmdOk", "cmdCancel"}));
    EXPECT_EQ(form.field("txtYear").text, "2026");
    EXPECT_EQ(form.field("txtMonth").text, "3");
    EXPECT_EQ(form.field("txtDay").text, "7");
    EXPECT_EQ(form.field("txtTitle").text, "");
    EXPECT_EQ(form.field("txtMoney").text, "0.00");
    EXPECT_EQ(form.field("txtMemo").text, "");
    const Field& operation = form.field("cboOperation");
    EXPECT_EQ(operation.kind, FieldKind::Combo);
    EXPECT_EQ(operation.items, (std::vector<std::string>{gbk("存入"), gbk("支取"), gbk("增损")}));
    EXPECT_EQ(operation.selected, 0);

    const struct {
        const char* name;
        const char* label;
        std::size_t maxBytes;
    } layout[] = {
        {"txtYear", "日期", 4},  {"txtMonth", "-", 2},        {"txtDay", "-", 2},
        {"txtTitle", "名称", 6}, {"cboOperation", "操作", 0}, {"txtMoney", "金额", 0},
        {"txtMemo", "备注", 14}, {"cmdOk", "确定(&O)", 0},    {"cmdCancel", "取消(&C)", 0},
    };
    for (const auto& l : layout) {
        EXPECT_EQ(form.field(l.name).label, gbk(l.label)) << l.name;
        EXPECT_EQ(form.field(l.name).maxBytes, l.maxBytes) << l.name;
    }
}

TEST(FundForm, StoresTheAmountSignedByTheOperation) {
    const struct {
        int operation;
        const char* typed;  // nullptr: the amount is not touched
        const char* shown;
        std::int32_t stored;
    } cases[] = {
        {kDeposit, "10000", "10000", 10000000},
        {kWithdrawal, "500", "500", -500000},
        {kAdjustment, "30", "30", -30000},
        {kAdjustment, "-30", "-30", 30000},
        {kDeposit, nullptr, "0.00", 0},
        {kDeposit, "0.075", "0.08", 80},
        {kWithdrawal, "12.3456", "12.35", -12350},
        // The largest whole-cent amounts the 32-bit field holds, either sign.
        {kDeposit, "2147483.64", "2147483.64", 2147483640},
        {kWithdrawal, "2147483.64", "2147483.64", -2147483640},
        {kWithdrawal, "-2147483.64", "-2147483.64", 2147483640},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        FundRecord fund;
        FundForm form(ui, fund, kToday);
        form.select("cboOperation", c.operation);
        if (c.typed)
            typeAndLeave(form, "txtMoney", c.typed);
        EXPECT_EQ(form.field("txtMoney").text, c.shown) << c.typed;
        form.press("cmdOk");
        EXPECT_EQ(form.result(), Form::Result::Ok);
        EXPECT_EQ(fund.kindState, 0x10 + c.operation);
        EXPECT_EQ(fund.type(), c.operation);
        EXPECT_EQ(static_cast<std::int32_t>(fund.amount), c.stored) << c.typed;
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(FundForm, StoresDateNameAndMemoAndKeepsTheOtherBytes) {
    RecordingUi ui;
    FundRecord fund = usedRecord();
    const FundRecord before = fund;
    FundForm form(ui, fund, kToday);
    typeAndLeave(form, "txtYear", "2025");
    typeAndLeave(form, "txtMonth", "$C");  // any 32-bit integer form is taken
    typeAndLeave(form, "txtDay", "31");
    typeAndLeave(form, "txtTitle", gbk("工资收入转入"));  // 12 bytes typed, 6 kept
    typeAndLeave(form, "txtMemo", gbk("三月份工资及奖金"));
    form.select("cboOperation", kWithdrawal);
    typeAndLeave(form, "txtMoney", "1.15");
    form.press("cmdOk");
    ASSERT_EQ(form.result(), Form::Result::Ok);
    EXPECT_EQ(fund.year, 2025);
    EXPECT_EQ(fund.month, 12);
    EXPECT_EQ(fund.day, 31);
    EXPECT_EQ(fieldText(fund.title, sizeof fund.title), gbk("工资收"));
    EXPECT_EQ(fieldText(fund.memo, sizeof fund.memo), gbk("三月份工资及奖"));
    EXPECT_EQ(fund.amount, -1150);
    EXPECT_EQ(std::memcmp(fund.spare, before.spare, sizeof fund.spare), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FundForm, DatePartsKeepTheWidthOfTheirFieldsWithoutAFurtherCheck) {
    RecordingUi ui;
    FundRecord fund;
    FundForm form(ui, fund, kToday);
    typeAndLeave(form, "txtYear", "9999");
    typeAndLeave(form, "txtMonth", "13");
    typeAndLeave(form, "txtDay", "-1");  // the low 8 bits: 255
    form.press("cmdOk");
    EXPECT_EQ(fund.year, 9999);
    EXPECT_EQ(fund.month, 13);
    EXPECT_EQ(fund.day, 255);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FundForm, RefusesBadNumbersAndAmountsTheRecordCannotHold) {
    const struct {
        const char* field;
        const char* typed;
        const char* restored;
    } cases[] = {
        {"txtMoney", "abc", "100"},
        {"txtMoney", "10 000", "100"},
        {"txtMoney", "", "100"},
        {"txtMoney", "2147483.65", "100"},
        {"txtMoney", "-2147483.65", "100"},
        {"txtMoney", "1e10", "100"},
        {"txtYear", "20x6", "2026"},
        {"txtDay", "1 ", "7"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        FundRecord fund = usedRecord();
        const FundRecord before = fund;
        FundForm form(ui, fund, kToday);
        typeAndLeave(form, "txtMoney", "100");
        typeAndLeave(form, c.field, c.typed);
        ASSERT_EQ(ui.messages.size(), 1u) << c.typed;
        EXPECT_EQ(ui.messages[0].text, "'" + std::string(c.typed) + gbk("' 为无效值,请重新输入！"));
        EXPECT_EQ(ui.messages[0].caption, gbk("错误"));
        EXPECT_EQ(form.field(c.field).text, c.restored) << c.typed;
        EXPECT_EQ(form.focusRequest(), c.field);

        // OK right after the refusal does not confirm the dialog ...
        form.press("cmdOk");
        EXPECT_TRUE(form.isOpen()) << c.typed;
        EXPECT_EQ(std::memcmp(&fund, &before, sizeof fund), 0) << c.typed;
        // ... leaving the field again with the value it shows does.
        form.leave(c.field);
        form.press("cmdOk");
        EXPECT_EQ(form.result(), Form::Result::Ok) << c.typed;
        EXPECT_EQ(fund.amount, 100000) << c.typed;
        EXPECT_EQ(fund.year, 2026) << c.typed;
        EXPECT_EQ(fund.day, 7) << c.typed;
        EXPECT_EQ(ui.messages.size(), 1u) << c.typed;
    }
}

TEST(FundForm, CancelLeavesTheRecordAsItWas) {
    RecordingUi ui;
    FundRecord fund = usedRecord();
    const FundRecord before = fund;
    ui.onDialog = [](Form& form) {
        form.select("cboOperation", kAdjustment);
        typeAndLeave(form, "txtMoney", "30");
        typeAndLeave(form, "txtTitle", "x");
        form.press("cmdCancel");
    };
    FundForm form(ui, fund, kToday);
    EXPECT_FALSE(ui.runDialog(form));
    EXPECT_EQ(form.result(), Form::Result::Cancel);
    EXPECT_EQ(std::memcmp(&fund, &before, sizeof fund), 0);
}

TEST(FundForm, TheOperationListAlwaysHasAnEntryChosen) {
    RecordingUi ui;
    FundRecord fund;
    FundForm form(ui, fund, kToday);
    form.select("cboOperation", kAdjustment);
    form.select("cboOperation", -1);
    form.select("cboOperation", 3);
    EXPECT_EQ(form.field("cboOperation").selected, kAdjustment);
    form.press("cmdOk");
    EXPECT_EQ(fund.kindState, 0x12);
}

}  // namespace
}  // namespace tallivan
