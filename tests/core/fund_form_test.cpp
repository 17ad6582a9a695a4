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
              (std::vector<std::string>{field_id::kYear, field_id::kMonth, field_id::kDay,
                                        field_id::kTitle, field_id::kOperation, field_id::kAmount,
                                        field_id::kMemo, field_id::kOk, field_id::kCancel}));
    EXPECT_EQ(form.field(field_id::kYear).text, "2026");
    EXPECT_EQ(form.field(field_id::kMonth).text, "3");
    EXPECT_EQ(form.field(field_id::kDay).text, "7");
    EXPECT_EQ(form.field(field_id::kTitle).text, "");
    EXPECT_EQ(form.field(field_id::kAmount).text, "0.00");
    EXPECT_EQ(form.field(field_id::kMemo).text, "");
    const Field& operation = form.field(field_id::kOperation);
    EXPECT_EQ(operation.kind, FieldKind::Combo);
    EXPECT_EQ(operation.items, (std::vector<std::string>{gbk("存入"), gbk("支取"), gbk("增损")}));
    EXPECT_EQ(operation.selected, 0);

    const struct {
        const char* name;
        const char* label;
        std::size_t maxBytes;
    } layout[] = {
        {field_id::kYear, "日期", 4},       {field_id::kMonth, "-", 2},
        {field_id::kDay, "-", 2},           {field_id::kTitle, "名称", 6},
        {field_id::kOperation, "操作", 0},  {field_id::kAmount, "金额", 0},
        {field_id::kMemo, "备注", 14},      {field_id::kOk, "确定(&O)", 0},
        {field_id::kCancel, "取消(&C)", 0},
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
        {kAdjustment, nullptr, "0.00", 0},
        {kDeposit, "0.075", "0.08", 80},
        {kWithdrawal, "12.3456", "12.35", -12350},
        // The largest whole-cent amounts the 32-bit field holds, either sign.
        {kDeposit, "2147483.64", "2147483.64", 2147483640},
        {kWithdrawal, "2147483.64", "2147483.64", -2147483640},
        {kAdjustment, "-2147483.64", "-2147483.64", 2147483640},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        FundRecord fund;
        FundForm form(ui, fund, kToday);
        form.select(field_id::kOperation, c.operation);
        if (c.typed)
            typeAndLeave(form, field_id::kAmount, c.typed);
        EXPECT_EQ(form.field(field_id::kAmount).text, c.shown) << c.typed;
        form.press(field_id::kOk);
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
    typeAndLeave(form, field_id::kYear, "2025");
    typeAndLeave(form, field_id::kMonth, "$C");  // any 32-bit integer form is taken
    typeAndLeave(form, field_id::kDay, "31");
    typeAndLeave(form, field_id::kTitle, gbk("工资收入转入"));  // 12 bytes typed, 6 kept
    typeAndLeave(form, field_id::kMemo, gbk("三月份工资及奖金"));
    form.select(field_id::kOperation, kWithdrawal);
    typeAndLeave(form, field_id::kAmount, "1.15");
    form.press(field_id::kOk);
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

TEST(FundForm, NothingImpossibleIsStored) {
    const struct {
        const char* year;
        const char* month;
        const char* day;
        int operation;
        const char* amount;
        const char* message;  // the text shown as invalid
        const char* focus;
    } cases[] = {
        {"2026", "2", "30", kDeposit, "100", "2026-2-30", field_id::kDay},
        {"2026", "13", "1", kDeposit, "100", "2026-13-1", field_id::kMonth},
        {"2026", "4", "0", kDeposit, "100", "2026-4-0", field_id::kDay},
        {"2023", "2", "29", kDeposit, "100", "2023-2-29", field_id::kDay},
        {"0", "1", "1", kDeposit, "100", "0-1-1", field_id::kYear},
        {"2026", "1", "5", kDeposit, "-500", "-500", field_id::kAmount},
        {"2026", "1", "5", kDeposit, "0", "0", field_id::kAmount},
        {"2026", "1", "5", kWithdrawal, "-500", "-500", field_id::kAmount},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        FundRecord fund;
        const FundRecord before = fund;
        FundForm form(ui, fund, kToday);
        typeAndLeave(form, field_id::kYear, c.year);
        typeAndLeave(form, field_id::kMonth, c.month);
        typeAndLeave(form, field_id::kDay, c.day);
        form.select(field_id::kOperation, c.operation);
        typeAndLeave(form, field_id::kAmount, c.amount);
        form.press(field_id::kOk);
        EXPECT_NE(form.result(), Form::Result::Ok) << c.message;
        ASSERT_EQ(ui.messages.size(), 1u) << c.message;
        EXPECT_EQ(ui.messages[0].text, invalidValueMessage(c.message));
        EXPECT_EQ(form.focusRequest(), c.focus) << c.message;
        EXPECT_EQ(std::memcmp(&fund, &before, sizeof fund), 0);
    }
    // A leap day and a negative adjustment are stored.
    RecordingUi ui;
    FundRecord fund;
    FundForm form(ui, fund, kToday);
    typeAndLeave(form, field_id::kYear, "2024");
    typeAndLeave(form, field_id::kMonth, "2");
    typeAndLeave(form, field_id::kDay, "29");
    form.select(field_id::kOperation, kAdjustment);
    typeAndLeave(form, field_id::kAmount, "-12.5");
    form.press(field_id::kOk);
    EXPECT_EQ(form.result(), Form::Result::Ok);
    EXPECT_EQ(fund.amount, 12500);
}

TEST(FundForm, RefusesBadNumbersAndAmountsTheRecordCannotHold) {
    const struct {
        const char* field;
        const char* typed;
        const char* restored;
    } cases[] = {
        {field_id::kAmount, "abc", "100"},
        {field_id::kAmount, "10 000", "100"},
        {field_id::kAmount, "", "100"},
        {field_id::kAmount, "2147483.65", "100"},
        {field_id::kAmount, "-2147483.65", "100"},
        {field_id::kAmount, "1e10", "100"},
        {field_id::kYear, "20x6", "2026"},
        {field_id::kDay, "1 ", "7"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        FundRecord fund = usedRecord();
        const FundRecord before = fund;
        FundForm form(ui, fund, kToday);
        typeAndLeave(form, field_id::kAmount, "100");
        typeAndLeave(form, c.field, c.typed);
        ASSERT_EQ(ui.messages.size(), 1u) << c.typed;
        EXPECT_EQ(ui.messages[0].text, "'" + std::string(c.typed) + gbk("' 为无效值,请重新输入！"));
        EXPECT_EQ(ui.messages[0].caption, gbk("错误"));
        EXPECT_EQ(form.field(c.field).text, c.restored) << c.typed;
        EXPECT_EQ(form.focusRequest(), c.field);

        // OK right after the refusal does not confirm the dialog ...
        form.press(field_id::kOk);
        EXPECT_TRUE(form.isOpen()) << c.typed;
        EXPECT_EQ(std::memcmp(&fund, &before, sizeof fund), 0) << c.typed;
        // ... leaving the field again with the value it shows does.
        form.leave(c.field);
        form.press(field_id::kOk);
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
        form.select(field_id::kOperation, kAdjustment);
        typeAndLeave(form, field_id::kAmount, "30");
        typeAndLeave(form, field_id::kTitle, "x");
        form.press(field_id::kCancel);
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
    form.select(field_id::kOperation, kAdjustment);
    form.select(field_id::kOperation, -1);
    form.select(field_id::kOperation, 3);
    EXPECT_EQ(form.field(field_id::kOperation).selected, kAdjustment);
    form.press(field_id::kOk);
    EXPECT_EQ(fund.kindState, 0x12);
}

}  // namespace
}  // namespace tallivan
