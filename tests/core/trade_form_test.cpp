#include "forms/trade_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "account_test_support.h"
#include "base/gbk.h"
#include "ledger/fee_schedule.h"
#include "storage/file_io.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::RecordingUi;
using testing::TempDir;
using testing::trade;
using testing::typeAndLeave;

class TradeFormTest : public ::testing::Test {
  protected:
    TradeFormTest() : fs(dir.path()), settings(defaultSettings()) {
        EXPECT_GE(names.storeName(fs, "600000", gbk("浦发银行")), 0);
    }

    TradeForm& open(TradeMode mode, const TradeRecord& opening) {
        record = opening;
        form = std::make_unique<TradeForm>(ui, mode, record, settings, names);
        return *form;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : ui.messages) {
            EXPECT_EQ(m.caption, gbk("错误"));
            texts.push_back(m.text);
        }
        return texts;
    }

    TempDir dir;
    PosixFileSystem fs;
    Settings settings;
    NameTable names;
    RecordingUi ui;
    TradeRecord record;
    std::unique_ptr<TradeForm> form;
};

TradeRecord emptyTrade(int type) {
    return trade(type, "", 0, 0, 0);
}

const std::string kSaleTooLarge = gbk("卖出股数大于买入股数！");

TEST_F(TradeFormTest, EachModeHasItsCaptionsLockedFieldsAndTabStops) {
    struct Case {
        TradeMode mode;
        int type;
        const char* caption;
        const char* group;
        const char* ok;
        std::set<std::string> locked;      // besides the name, which is always shown locked
        std::set<std::string> offTabStop;  // besides the name and the total
        const char* feeLabel;
        const char* totalLabel;
    };
    const Case cases[] = {
        {TradeMode::Buy,
         kBuy,
         "买入股票",
         "买入股票",
         "买入(&O)",
         {field_id::kTotal},
         {},
         "税费",
         "总价"},
        {TradeMode::Sell,
         kSell,
         "卖出股票",
         "卖出股票",
         "卖出(&O)",
         {field_id::kCode, field_id::kTotal},
         {},
         "税费",
         "总价"},
        {TradeMode::RightsIssue,
         kRightsIssue,
         "配股",
         "配股",
         "配股(&O)",
         {field_id::kCode, field_id::kFee, field_id::kTotal},
         {field_id::kCode, field_id::kFee},
         "税费",
         "总价"},
        {TradeMode::BonusShares,
         kBonusShares,
         "送股",
         "送股",
         "送股(&O)",
         {field_id::kCode, field_id::kFee, field_id::kPrice, field_id::kTotal},
         {field_id::kCode, field_id::kFee, field_id::kPrice},
         "税费",
         "总价"},
        {TradeMode::Dividend,
         kDividend,
         "分红",
         "分红",
         "分红(&O)",
         {field_id::kCode, field_id::kShares, field_id::kPrice, field_id::kTotal},
         {field_id::kCode, field_id::kShares, field_id::kPrice},
         "红利",
         "总价"},
        {TradeMode::Subscription,
         kSubscription,
         "申购新股",
         "申购新股",
         "申购(&O)",
         {field_id::kFee, field_id::kTotal},
         {field_id::kFee},
         "税费",
         "总价"},
        {TradeMode::Edit,
         kSell,
         "修改交易",
         "卖出",
         "修改(&O)",
         {field_id::kCode},
         {},
         "税费",
         "总买价"},
        {TradeMode::Edit,
         kBuy,
         "修改交易",
         "买入",
         "修改(&O)",
         {field_id::kCode, field_id::kTotal},
         {},
         "税费",
         "总价"},
        {TradeMode::Edit,
         kSubscriptionWon,
         "修改交易",
         "申购中签",
         "修改(&O)",
         {field_id::kCode, field_id::kTotal},
         {},
         "税费",
         "总价"},
        {TradeMode::Edit,
         kSubscriptionNotWon,
         "修改交易",
         "申购未中签",
         "修改(&O)",
         {field_id::kCode, field_id::kTotal},
         {},
         "税费",
         "总价"},
        {TradeMode::Edit,
         9,
         "修改交易",
         "修改交易",
         "修改(&O)",
         {field_id::kCode, field_id::kTotal},
         {},
         "税费",
         "总价"},
    };
    const std::vector<std::string> tabOrder = {
        field_id::kTradeGroup, field_id::kYear,  field_id::kMonth,  field_id::kDay,
        field_id::kCode,       field_id::kTitle, field_id::kShares, field_id::kPrice,
        field_id::kFee,        field_id::kTotal, field_id::kOk,     field_id::kCancel};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        TradeForm& f = open(c.mode, trade(c.type, "600000", 100, 10000, 0));
        EXPECT_EQ(f.caption(), gbk(c.caption));
        EXPECT_EQ(f.field(field_id::kTradeGroup).text, gbk(c.group));
        EXPECT_EQ(f.field(field_id::kOk).label, gbk(c.ok));
        EXPECT_EQ(f.field(field_id::kCancel).label, gbk("取消(&C)"));
        EXPECT_EQ(f.field(field_id::kFee).label, gbk(c.feeLabel));
        EXPECT_EQ(f.field(field_id::kTotal).label, gbk(c.totalLabel));
        std::vector<std::string> order;
        for (const Field& field : f.fields()) {
            order.push_back(field.name);
            if (field.kind != FieldKind::Edit)
                continue;
            const bool locked = field.name == field_id::kTitle || c.locked.count(field.name) > 0;
            EXPECT_EQ(field.locked, locked) << field.name;
            EXPECT_EQ(field.readOnly, locked) << field.name;
            const bool tabStop =
                field.name != field_id::kTitle && c.offTabStop.count(field.name) == 0 &&
                (field.name != field_id::kTotal || !c.locked.count(field_id::kTotal));
            EXPECT_EQ(field.tabStop, tabStop) << field.name;
            EXPECT_TRUE(field.enabled) << field.name;
        }
        EXPECT_EQ(order, tabOrder);
    }
}

TEST_F(TradeFormTest, UndoShowsEverythingAndLetsNothingChange) {
    TradeForm& f = open(TradeMode::Undo, trade(kDividend, "600000", 0, 0, 9));
    EXPECT_EQ(f.caption(), gbk("撤消交易"));
    EXPECT_EQ(f.field(field_id::kTradeGroup).text, gbk("撤消交易"));
    EXPECT_FALSE(f.field(field_id::kTradeGroup).enabled);
    EXPECT_EQ(f.field(field_id::kOk).label, gbk("撤消(&O)"));
    for (const Field& field : f.fields()) {
        if (field.kind == FieldKind::Edit) {
            EXPECT_TRUE(field.locked && !field.enabled) << field.name;
        }
    }
    EXPECT_EQ(f.field(field_id::kFee).text, "0.01");  // 9 milli-yuan, shown to the cent
    const TradeRecord before = record;
    typeAndLeave(f, field_id::kFee, "5");
    f.press(field_id::kOk);
    EXPECT_EQ(f.result(), Form::Result::Ok);
    // Stored again through toMilli, the values come back exactly.
    EXPECT_EQ(LedgerRecord::of(record), LedgerRecord::of(before));
    EXPECT_EQ(record.fee, 9);
}

TEST_F(TradeFormTest, OpensOnTheRecordsValues) {
    struct Case {
        TradeMode mode;
        TradeRecord opening;
        const char* code;
        const char* title;
        const char* shares;
        const char* price;
        const char* fee;
        const char* total;
    };
    const Case cases[] = {
        // A new buy or subscription starts without a code.
        {TradeMode::Buy, trade(kBuy, "600000", 1000, 10000, 81000), "", "", "1000", "10.00",
         "81.00", "10081.00"},
        {TradeMode::Subscription, trade(kSubscription, "730001", 1000, 8000, 0), "", "", "1000",
         "8.00", "0.00", "8000.00"},
        // A sale's total is what it brings in.
        {TradeMode::Sell, trade(kSell, "600000", 500, 10120, 81000), "600000", "浦发银行", "500",
         "10.12", "81.00", "4979.00"},
        {TradeMode::Dividend, trade(kDividend, "0001", 0, 0, 0), "0001", "0001", "0", "0.00",
         "0.00", "0.00"},
        // A recorded dividend's total is the amount received.
        {TradeMode::Edit, trade(kDividend, "600000", 0, 0, 120000), "600000", "浦发银行", "0",
         "0.00", "120.00", "120.00"},
        // An edited sale shows its cost basis in place of the total.
        {TradeMode::Edit, trade(kSell, "600000", 500, 10000, 40000, 5012340), "600000", "浦发银行",
         "500", "10.00", "40.00", "5012.34"},
        {TradeMode::Undo, trade(kBonusShares, "600000", 300, 0, 0), "600000", "浦发银行", "300",
         "0.00", "0.00", "0.00"},
    };
    for (const Case& c : cases) {
        TradeForm& f = open(c.mode, c.opening);
        SCOPED_TRACE(gbkToUtf8(f.caption()));
        EXPECT_EQ(f.field(field_id::kYear).text, "2024");
        EXPECT_EQ(f.field(field_id::kMonth).text, "4");
        EXPECT_EQ(f.field(field_id::kDay).text, "1");
        EXPECT_EQ(f.field(field_id::kCode).text, c.code);
        EXPECT_EQ(f.field(field_id::kTitle).text, gbk(c.title));
        EXPECT_EQ(f.field(field_id::kShares).text, c.shares);
        EXPECT_EQ(f.field(field_id::kPrice).text, c.price);
        EXPECT_EQ(f.field(field_id::kFee).text, c.fee);
        EXPECT_EQ(f.field(field_id::kTotal).text, c.total);
    }
}

TEST_F(TradeFormTest, BuyingComputesFeeAndTotalAndStoresMilliYuan) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, field_id::kYear, "2025");
    typeAndLeave(f, field_id::kMonth, "12");
    typeAndLeave(f, field_id::kDay, "31");
    typeAndLeave(f, field_id::kCode, "600000");
    EXPECT_EQ(f.field(field_id::kTitle).text, gbk("浦发银行"));
    typeAndLeave(f, field_id::kShares, "1000");
    typeAndLeave(f, field_id::kPrice, "10.00");
    EXPECT_EQ(f.field(field_id::kPrice).text, "10");
    EXPECT_EQ(f.field(field_id::kFee).text, "81.00");
    EXPECT_EQ(f.field(field_id::kTotal).text, "10081.00");
    f.press(field_id::kOk);
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(fieldText(record.code, sizeof record.code), "600000");
    EXPECT_EQ(record.shares, 1000);
    EXPECT_EQ(record.price, 10000);
    EXPECT_EQ(record.fee, 81000);
    EXPECT_EQ(record.year, 2025);
    EXPECT_EQ(record.month, 12);
    EXPECT_EQ(record.day, 31);
    EXPECT_EQ(record.type(), kBuy);
    EXPECT_EQ(record.costBasis, 0);  // only an edited sale writes it
    EXPECT_EQ(record.reserved, -1000000);
}

TEST_F(TradeFormTest, TheFeeFollowsTheCategoryOfTheCode) {
    const struct {
        const char* code;
        const char* shares;
        const char* price;
        const char* fee;
        const char* total;
    } cases[] = {
        {"600000", "100", "8.50", "19.40", "869.40"},      // minimum commission and transfer
        {"600000", "2500", "7.77", "152.69", "19577.69"},  //
        {"600000", "999", "10", "80.93", "10070.93"},      // minimum transfer fee
        {"0001", "1500", "12.34", "143.83", "18653.83"},   // Shenzhen: no transfer fee
        {"000001", "1000", "10", "0.00", "10000.00"},      // no category: no fee
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code + std::string(" ") + c.shares);
        TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
        typeAndLeave(f, field_id::kCode, c.code);
        typeAndLeave(f, field_id::kPrice, c.price);
        typeAndLeave(f, field_id::kShares, c.shares);  // leaving the shares recomputes too
        EXPECT_EQ(f.field(field_id::kFee).text, c.fee);
        EXPECT_EQ(f.field(field_id::kTotal).text, c.total);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TradeFormTest, ChangingTheCodeRecomputesNothingUntilSharesOrPriceAreLeft) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, field_id::kCode, "600000");
    typeAndLeave(f, field_id::kShares, "1000");
    typeAndLeave(f, field_id::kPrice, "10");
    typeAndLeave(f, field_id::kCode, "000001");
    EXPECT_EQ(f.field(field_id::kTitle).text, "000001");  // no name: the code itself
    EXPECT_EQ(f.field(field_id::kFee).text, "81.00");
    typeAndLeave(f, field_id::kPrice, "10");
    EXPECT_EQ(f.field(field_id::kFee).text, "0.00");
    EXPECT_EQ(f.field(field_id::kTotal).text, "10000.00");
}

TEST_F(TradeFormTest, ATypedFeeStaysUntilSharesOrPriceAreLeftAgain) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, field_id::kCode, "600000");
    typeAndLeave(f, field_id::kShares, "1000");
    typeAndLeave(f, field_id::kPrice, "10");
    typeAndLeave(f, field_id::kFee, "15.004");
    EXPECT_EQ(f.field(field_id::kFee).text, "15");
    EXPECT_EQ(f.field(field_id::kTotal).text, "10015.00");
    f.press(field_id::kOk);
    EXPECT_EQ(record.fee, 15000);
}

TEST_F(TradeFormTest, ASaleIsLimitedToTheSharesHeld) {
    TradeForm& f = open(TradeMode::Sell, trade(kSell, "600000", 500, 10000, 0));
    // Refused when the count is left, and OK right after shows no second message.
    typeAndLeave(f, field_id::kShares, "600");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{kSaleTooLarge});
    EXPECT_EQ(f.field(field_id::kShares).text, "600");
    EXPECT_EQ(f.focusRequest(), field_id::kShares);
    f.press(field_id::kOk);
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(ui.messages.size(), 1u);
    // After another field was left, OK itself says it.
    f.clearFocusRequest();
    typeAndLeave(f, field_id::kDay, "2");
    f.press(field_id::kOk);
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages.back().text, kSaleTooLarge);
    EXPECT_EQ(f.focusRequest(), field_id::kShares);
    // All the shares held may be sold; the fee is computed at the entered price.
    typeAndLeave(f, field_id::kPrice, "20");
    EXPECT_EQ(ui.messages.size(), 2u);
    typeAndLeave(f, field_id::kShares, "500");
    EXPECT_EQ(f.field(field_id::kFee).text, "81.00");      // 35 + 40 + 1 + 5 on 10 000.00
    EXPECT_EQ(f.field(field_id::kTotal).text, "9919.00");  // brought in, net of the fee
    f.press(field_id::kOk);
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(record.shares, 500);
    EXPECT_EQ(record.price, 20000);
    EXPECT_EQ(record.fee, 81000);
    EXPECT_EQ(record.day, 2);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(TradeFormTest, OnlyBuysAndSalesPayFees) {
    const struct {
        TradeMode mode;
        int type;
    } cases[] = {
        {TradeMode::RightsIssue, kRightsIssue},
        {TradeMode::BonusShares, kBonusShares},
        {TradeMode::Subscription, kSubscription},
        {TradeMode::Edit, kRightsIssue},
        {TradeMode::Edit, kDividend},
        {TradeMode::Edit, kSubscription},
        {TradeMode::Edit, kSubscriptionWon},
        {TradeMode::Edit, kSubscriptionNotWon},
    };
    for (const auto& c : cases) {
        TradeForm& f = open(c.mode, trade(c.type, "600000", 300, 5000, 7000));
        SCOPED_TRACE(gbkToUtf8(f.field(field_id::kTradeGroup).text));
        typeAndLeave(f, field_id::kCode, "600000");  // a subscription starts without one
        typeAndLeave(f, field_id::kPrice, "5");
        EXPECT_EQ(f.field(field_id::kFee).text, "0.00");
        EXPECT_EQ(f.field(field_id::kTotal).text, "1500.00");
        f.press(field_id::kOk);
        EXPECT_EQ(f.result(), Form::Result::Ok);
        EXPECT_EQ(record.fee, 0);
        EXPECT_EQ(record.type(), c.type);
    }
}

TEST_F(TradeFormTest, ADividendIsTypedIntoTheFeeField) {
    TradeForm& f = open(TradeMode::Dividend, trade(kDividend, "600000", 0, 0, 0));
    typeAndLeave(f, field_id::kFee, "150");
    EXPECT_EQ(f.field(field_id::kFee).text, "150");
    EXPECT_EQ(f.field(field_id::kTotal).text, "150.00");
    f.press(field_id::kOk);
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(record.fee, 150000);
    EXPECT_EQ(record.shares, 0);
    EXPECT_EQ(record.price, 0);
}

TEST_F(TradeFormTest, EditingASaleEditsItsCostBasis) {
    TradeForm& f = open(TradeMode::Edit, trade(kSell, "600000", 500, 10000, 40000, 5012340));
    typeAndLeave(f, field_id::kPrice, "12");
    typeAndLeave(f, field_id::kFee, "50");
    EXPECT_EQ(f.field(field_id::kTotal).text, "5012.34");  // neither leave overwrites it
    typeAndLeave(f, field_id::kTotal, "4000.456");
    EXPECT_EQ(f.field(field_id::kTotal).text, "4000.46");
    f.press(field_id::kOk);
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(record.costBasis, 4000460);
    EXPECT_EQ(record.price, 12000);
    EXPECT_EQ(record.fee, 50000);

    // Any other edited type keeps its cost basis and a read-only total.
    TradeForm& buy = open(TradeMode::Edit, trade(kBuy, "600000", 100, 10000, 0, 777));
    typeAndLeave(buy, field_id::kTotal, "5");
    buy.press(field_id::kOk);
    EXPECT_EQ(record.costBasis, 777);
}

TEST_F(TradeFormTest, OkNeedsAStockName) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, field_id::kPrice, "10");
    f.press(field_id::kOk);
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(messageTexts(), std::vector<std::string>{gbk("未填写股票代码!")});
    EXPECT_EQ(f.focusRequest(), field_id::kCode);
    f.press(field_id::kCancel);
    EXPECT_EQ(f.result(), Form::Result::Cancel);
    EXPECT_EQ(LedgerRecord::of(record), LedgerRecord::of(emptyTrade(kBuy)));
}

TEST_F(TradeFormTest, APurchaseOfNoSharesIsRefusedAtOk) {
    for (const TradeMode mode : {TradeMode::Buy, TradeMode::Subscription}) {
        ui.messages.clear();
        TradeForm& f = open(mode, emptyTrade(mode == TradeMode::Buy ? kBuy : kSubscription));
        typeAndLeave(f, field_id::kCode, "600000");
        typeAndLeave(f, field_id::kPrice, "10");
        f.press(field_id::kOk);
        EXPECT_TRUE(f.isOpen());
        EXPECT_EQ(messageTexts(), std::vector<std::string>{gbk("'0' 为无效值,请重新输入！")});
        EXPECT_EQ(f.focusRequest(), field_id::kShares);
    }
}

TEST_F(TradeFormTest, RefusedValuesRestoreTheFieldAndKeepTheDialogOpen) {
    struct Case {
        TradeMode mode;
        TradeRecord opening;
        const char* field;
        const char* typed;
        const char* shown;  // the previous value, back in the field
    };
    const TradeRecord sale = trade(kSell, "600000", 500, 10000, 40000, 5012340);
    const Case cases[] = {
        {TradeMode::Sell, sale, field_id::kYear, "20x6", "2024"},
        {TradeMode::Sell, sale, field_id::kShares, "1e3", "500"},
        {TradeMode::Sell, sale, field_id::kShares, "12 ", "500"},
        {TradeMode::Sell, sale, field_id::kShares, "2147483648", "500"},  // beyond 32 bits
        {TradeMode::Sell, sale, field_id::kPrice, "abc", "10"},
        {TradeMode::Sell, sale, field_id::kFee, "", "40"},
        {TradeMode::Edit, sale, field_id::kTotal, "1..2", "5012.34"},
        // Amounts that do not fit their milli-yuan fields.
        {TradeMode::Sell, sale, field_id::kPrice, "2147483.65", "10"},
        {TradeMode::Sell, sale, field_id::kPrice, "-2147483.65", "10"},
        {TradeMode::Sell, sale, field_id::kFee, "1e7", "40"},
        {TradeMode::Edit, sale, field_id::kTotal, "1e16", "5012.34"},
        {TradeMode::Edit, sale, field_id::kTotal, "-1e16", "5012.34"},
        // Fees that would not fit: refused on the field left.
        {TradeMode::Edit, trade(kBuy, "600000", 2000000000, 1000, 0), field_id::kPrice, "100", "1"},
        {TradeMode::Sell, trade(kSell, "600000", 2000000000, 100000, 0), field_id::kShares,
         "1999999999", "2000000000"},
        // No shares, or fewer: no transaction but a dividend moves none.
        {TradeMode::Sell, sale, field_id::kShares, "0", "500"},
        {TradeMode::RightsIssue, trade(kRightsIssue, "600000", 1000, 5000, 0), field_id::kShares,
         "-300", "1000"},
        {TradeMode::BonusShares, trade(kBonusShares, "600000", 1000, 0, 0), field_id::kShares, "0",
         "1000"},
        {TradeMode::Edit, trade(kBuy, "600000", 100, 10000, 5000), field_id::kShares, "-100",
         "100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        ui.messages.clear();
        TradeForm& f = open(c.mode, c.opening);
        typeAndLeave(f, c.field, c.typed);
        EXPECT_EQ(messageTexts(), std::vector<std::string>{"'" + std::string(c.typed) +
                                                           gbk("' 为无效值,请重新输入！")});
        EXPECT_EQ(f.field(c.field).text, c.shown);
        EXPECT_EQ(f.focusRequest(), c.field);
        // OK right after the refusal stays open; the next OK stores the previous values.
        f.press(field_id::kOk);
        EXPECT_TRUE(f.isOpen());
        EXPECT_EQ(ui.messages.size(), 1u);
        f.press(field_id::kOk);
        EXPECT_EQ(f.result(), Form::Result::Ok);
        EXPECT_EQ(LedgerRecord::of(record), LedgerRecord::of(c.opening));
    }
}

TEST_F(TradeFormTest, TheLargestStorableAmountsAreTaken) {
    TradeForm& f = open(TradeMode::Edit, trade(kSell, "600000", 1, 0, 0));
    typeAndLeave(f, field_id::kPrice, "2147483.64");
    typeAndLeave(f, field_id::kFee, "-2147483.64");
    typeAndLeave(f, field_id::kTotal, "9e15");
    f.press(field_id::kOk);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(record.price, 2147483640);
    EXPECT_EQ(record.fee, -2147483640);
    EXPECT_EQ(record.costBasis, 9000000000000000000);
}

// The parts of the fee, shown after the fee field ("手续费 … 印花税 … 过户费 … 委托费 …").
std::string feeParts(const char* commission, const char* stamp, const char* transfer,
                     const char* order) {
    return gbk("手续费 ") + commission + gbk("  印花税 ") + stamp + gbk("  过户费 ") + transfer +
           gbk("  委托费 ") + order;
}

TEST_F(TradeFormTest, TheFeeShowsItsPartsOnTheSideOfTheTrade) {
    applyCurrentFeeSchedule(settings);
    TradeForm& buy = open(TradeMode::Buy, emptyTrade(kBuy));
    EXPECT_EQ(buy.field(field_id::kFee).suffix, "");  // nothing to price yet
    typeAndLeave(buy, field_id::kCode, "600000");
    typeAndLeave(buy, field_id::kShares, "1000");
    typeAndLeave(buy, field_id::kPrice, "10");
    EXPECT_EQ(buy.field(field_id::kFee).text, "5.10");
    EXPECT_EQ(buy.field(field_id::kTotal).text, "10005.10");
    EXPECT_EQ(buy.field(field_id::kFee).suffix, feeParts("5.00", "0.00", "0.10", "0.00"));

    // A sale opens on the fee the command computed, and pays the stamp tax.
    TradeForm& sale = open(TradeMode::Sell, trade(kSell, "600000", 1000, 10000, 10100));
    EXPECT_EQ(sale.field(field_id::kFee).suffix, feeParts("5.00", "5.00", "0.10", "0.00"));
    typeAndLeave(sale, field_id::kShares, "500");  // 5000: the minimum commission, 2.50 stamp tax
    EXPECT_EQ(sale.field(field_id::kFee).text, "7.55");
    EXPECT_EQ(sale.field(field_id::kTotal).text, "4992.45");
    EXPECT_EQ(sale.field(field_id::kFee).suffix, feeParts("5.00", "2.50", "0.05", "0.00"));
    // A fee typed by hand no longer adds up from the parts: they go until it does again.
    typeAndLeave(sale, field_id::kFee, "8");
    EXPECT_EQ(sale.field(field_id::kFee).suffix, "");
    typeAndLeave(sale, field_id::kFee, "7.55");
    EXPECT_EQ(sale.field(field_id::kFee).suffix, feeParts("5.00", "2.50", "0.05", "0.00"));
    sale.press(field_id::kOk);
    EXPECT_EQ(record.fee, 7550);
}

TEST_F(TradeFormTest, FeePartsOfTheOldTableAndOfTradesWithoutAFee) {
    TradeForm& buy = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(buy, field_id::kCode, "600000");
    typeAndLeave(buy, field_id::kShares, "1000");
    typeAndLeave(buy, field_id::kPrice, "10");
    EXPECT_EQ(buy.field(field_id::kFee).suffix, feeParts("35.00", "40.00", "1.00", "5.00"));
    typeAndLeave(buy, field_id::kCode, "000001");  // no category: no fee, no parts
    typeAndLeave(buy, field_id::kPrice, "10");
    EXPECT_EQ(buy.field(field_id::kFee).text, "0.00");
    EXPECT_EQ(buy.field(field_id::kFee).suffix, "");

    TradeForm& dividend = open(TradeMode::Dividend, trade(kDividend, "600000", 0, 0, 0));
    typeAndLeave(dividend, field_id::kFee, "150");
    EXPECT_EQ(dividend.field(field_id::kFee).suffix, "");
    TradeForm& rights = open(TradeMode::RightsIssue, trade(kRightsIssue, "600000", 0, 0, 0));
    typeAndLeave(rights, field_id::kShares, "300");
    typeAndLeave(rights, field_id::kPrice, "5");
    EXPECT_EQ(rights.field(field_id::kFee).text, "0.00");
    EXPECT_EQ(rights.field(field_id::kFee).suffix, "");
    // A recorded purchase whose fee was computed shows its parts when it is edited.
    TradeForm& edit = open(TradeMode::Edit, trade(kBuy, "600000", 1000, 10000, 81000));
    EXPECT_EQ(edit.field(field_id::kFee).suffix, feeParts("35.00", "40.00", "1.00", "5.00"));
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

TEST_F(TradeFormTest, NothingImpossibleIsRecorded) {
    const struct {
        const char* field;
        const char* typed;
        const char* message;  // the text shown as invalid
        const char* focus;
    } cases[] = {
        {field_id::kDay, "30", "2026-2-30", field_id::kDay},
        {field_id::kMonth, "13", "2026-13-1", field_id::kMonth},
        {field_id::kCode, "ABCDEF", "ABCDEF", field_id::kCode},
        {field_id::kCode, "12", "12", field_id::kCode},
        {field_id::kCode, "60000", "60000", field_id::kCode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.messages.clear();
        TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
        typeAndLeave(f, field_id::kYear, "2026");
        typeAndLeave(f, field_id::kMonth, "2");
        typeAndLeave(f, field_id::kDay, "1");
        typeAndLeave(f, field_id::kCode, "600000");
        typeAndLeave(f, field_id::kShares, "100");
        typeAndLeave(f, field_id::kPrice, "10");
        if (std::string_view(c.field) == field_id::kMonth)
            typeAndLeave(f, field_id::kDay, "1");
        typeAndLeave(f, c.field, c.typed);
        f.press(field_id::kOk);
        EXPECT_TRUE(f.isOpen());
        EXPECT_EQ(messageTexts(), std::vector<std::string>{invalidValueMessage(c.message)});
        EXPECT_EQ(f.focusRequest(), c.focus);
    }
    // A price below 0 is refused as it is left; 0, the opening value, at OK.
    ui.messages.clear();
    TradeForm& negative = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(negative, field_id::kPrice, "-10");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{invalidValueMessage("-10")});
    ui.messages.clear();
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, field_id::kCode, "0001");  // a 4-digit code is one
    typeAndLeave(f, field_id::kShares, "100");
    f.press(field_id::kOk);
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(f.focusRequest(), field_id::kPrice);
}

}  // namespace
}  // namespace tallivan
