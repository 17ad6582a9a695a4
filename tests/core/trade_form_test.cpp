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
         {"txtAllPrice"},
         {},
         "税费",
         "总价"},
        {TradeMode::Sell,
         kSell,
         "卖出股票",
         "卖出股票",
         "卖出(&O)",
         {"txtCode", "txtAllPrice"},
         {},
         "税费",
         "总价"},
        {TradeMode::RightsIssue,
         kRightsIssue,
         "配股",
         "配股",
         "配股(&O)",
         {"txtCode", "txtSxf", "txtAllPrice"},
         {"txtCode", "txtSxf"},
         "税费",
         "总价"},
        {TradeMode::BonusShares,
         kBonusShares,
         "送股",
         "送股",
         "送股(&O)",
         {"txtCode", "txtSxf", "txtPrice", "txtAllPrice"},
         {"txtCode", "txtSxf", "txtPrice"},
         "税费",
         "总价"},
        {TradeMode::Dividend,
         kDividend,
         "分红",
         "分红",
         "分红(&O)",
         {"txtCode", "txtStockNum", "txtPrice", "txtAllPrice"},
         {"txtCode", "txtStockNum", "txtPrice"},
         "红利",
         "总价"},
        {TradeMode::Subscription,
         kSubscription,
         "申购新股",
         "申购新股",
         "申购(&O)",
         {"txtSxf", "txtAllPrice"},
         {"txtSxf"},
         "税费",
         "总价"},
        {TradeMode::Edit, kSell, "修改交易", "卖出", "修改(&O)", {"txtCode"}, {}, "税费", "总买价"},
        {TradeMode::Edit,
         kBuy,
         "修改交易",
         "买入",
         "修改(&O)",
         {"txtCode", "txtAllPrice"},
         {},
         "税费",
         "总价"},
        {TradeMode::Edit,
         kSubscriptionWon,
         "修改交易",
         "申购中签",
         "修改(&O)",
         {"txtCode", "txtAllPrice"},
         {},
         "税费",
         "总价"},
        {TradeMode::Edit,
         kSubscriptionNotWon,
         "修改交易",
         "申购未中签",
         "修改(&O)",
         {"txtCode", "txtAllPrice"},
         {},
         "税费",
         "总价"},
        {TradeMode::Edit,
         9,
         "修改交易",
         "修改交易",
         "修改(&O)",
         {"txtCode", "txtAllPrice"},
         {},
         "税费",
         "总价"},
    };
    const std::vector<std::string> tabOrder = {
        "grpStk",      "txtYear",  "txtMonth", "txtDay",      "txtCode", "txtTitle",
        "txtStockNum", "txtPrice", "txtSxf",   "txtAllPrice", "cmdOk",   "cmdCancel"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        TradeForm& f = open(c.mode, trade(c.type, "600000", 100, 10000, 0));
        EXPECT_EQ(f.caption(), gbk(c.caption));
        EXPECT_EQ(f.field("grpStk").text, gbk(c.group));
        EXPECT_EQ(f.field("cmdOk").label, gbk(c.ok));
        EXPECT_EQ(f.field("cmdCancel").label, gbk("取消(&C)"));
        EXPECT_EQ(f.field("txtSxf").label, gbk(c.feeLabel));
        EXPECT_EQ(f.field("txtAllPrice").label, gbk(c.totalLabel));
        std::vector<std::string> order;
        for (const Field& field : f.fields()) {
            order.push_back(field.name);
            if (field.kind != FieldKind::Edit)
                continue;
            const bool locked = field.name == "txtTitle" || c.locked.count(field.name) > 0;
            EXPECT_EQ(field.locked, locked) << field.name;
            EXPECT_EQ(field.readOnly, locked) << field.name;
            const bool tabStop = field.name != "txtTitle" && c.offTabStop.count(field.name) == 0 &&
                                 (field.name != "txtAllPrice" || !c.locked.count("txtAllPrice"));
            EXPECT_EQ(field.tabStop, tabStop) << field.name;
            EXPECT_TRUE(field.enabled) << field.name;
        }
        EXPECT_EQ(order, tabOrder);
    }
}

TEST_F(TradeFormTest, UndoShowsEverythingAndLetsNothingChange) {
    TradeForm& f = open(TradeMode::Undo, trade(kDividend, "600000", 0, 0, 9));
    EXPECT_EQ(f.caption(), gbk("撤消交易"));
    EXPECT_EQ(f.field("grpStk").text, gbk("撤消交易"));
    EXPECT_FALSE(f.field("grpStk").enabled);
    EXPECT_EQ(f.field("cmdOk").label, gbk("撤消(&O)"));
    for (const Field& field : f.fields()) {
        if (field.kind == FieldKind::Edit) {
            EXPECT_TRUE(field.locked && !field.enabled) << field.name;
        }
    }
    EXPECT_EQ(f.field("txtSxf").text, "0.01");  // 9 milli-yuan, shown to the cent
    const TradeRecord before = record;
    typeAndLeave(f, "txtSxf", "5");
    f.press("cmdOk");
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
        EXPECT_EQ(f.field("txtYear").text, "2024");
        EXPECT_EQ(f.field("txtMonth").text, "4");
        EXPECT_EQ(f.field("txtDay").text, "1");
        EXPECT_EQ(f.field("txtCode").text, c.code);
        EXPECT_EQ(f.field("txtTitle").text, gbk(c.title));
        EXPECT_EQ(f.field("txtStockNum").text, c.shares);
        EXPECT_EQ(f.field("txtPrice").text, c.price);
        EXPECT_EQ(f.field("txtSxf").text, c.fee);
        EXPECT_EQ(f.field("txtAllPrice").text, c.total);
    }
}

TEST_F(TradeFormTest, BuyingComputesFeeAndTotalAndStoresMilliYuan) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, "txtYear", "2025");
    typeAndLeave(f, "txtMonth", "13");
    typeAndLeave(f, "txtDay", "0");
    typeAndLeave(f, "txtCode", "600000");
    EXPECT_EQ(f.field("txtTitle").text, gbk("浦发银行"));
    typeAndLeave(f, "txtStockNum", "1000");
    typeAndLeave(f, "txtPrice", "10.00");
    EXPECT_EQ(f.field("txtPrice").text, "10");
    EXPECT_EQ(f.field("txtSxf").text, "81.00");
    EXPECT_EQ(f.field("txtAllPrice").text, "10081.00");
    f.press("cmdOk");
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(fieldText(record.code, sizeof record.code), "600000");
    EXPECT_EQ(record.shares, 1000);
    EXPECT_EQ(record.price, 10000);
    EXPECT_EQ(record.fee, 81000);
    // Month 13 and day 0 are stored as typed.
    EXPECT_EQ(record.year, 2025);
    EXPECT_EQ(record.month, 13);
    EXPECT_EQ(record.day, 0);
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
        typeAndLeave(f, "txtCode", c.code);
        typeAndLeave(f, "txtPrice", c.price);
        typeAndLeave(f, "txtStockNum", c.shares);  // leaving the shares recomputes too
        EXPECT_EQ(f.field("txtSxf").text, c.fee);
        EXPECT_EQ(f.field("txtAllPrice").text, c.total);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TradeFormTest, ChangingTheCodeRecomputesNothingUntilSharesOrPriceAreLeft) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, "txtCode", "600000");
    typeAndLeave(f, "txtStockNum", "1000");
    typeAndLeave(f, "txtPrice", "10");
    typeAndLeave(f, "txtCode", "000001");
    EXPECT_EQ(f.field("txtTitle").text, "000001");  // no name: the code itself
    EXPECT_EQ(f.field("txtSxf").text, "81.00");
    typeAndLeave(f, "txtPrice", "10");
    EXPECT_EQ(f.field("txtSxf").text, "0.00");
    EXPECT_EQ(f.field("txtAllPrice").text, "10000.00");
}

TEST_F(TradeFormTest, ATypedFeeStaysUntilSharesOrPriceAreLeftAgain) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, "txtCode", "600000");
    typeAndLeave(f, "txtStockNum", "1000");
    typeAndLeave(f, "txtPrice", "10");
    typeAndLeave(f, "txtSxf", "15.004");
    EXPECT_EQ(f.field("txtSxf").text, "15");
    EXPECT_EQ(f.field("txtAllPrice").text, "10015.00");
    f.press("cmdOk");
    EXPECT_EQ(record.fee, 15000);
}

TEST_F(TradeFormTest, ASaleIsLimitedToTheSharesHeld) {
    TradeForm& f = open(TradeMode::Sell, trade(kSell, "600000", 500, 10000, 0));
    // Refused when the count is left, and OK right after shows no second message.
    typeAndLeave(f, "txtStockNum", "600");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{kSaleTooLarge});
    EXPECT_EQ(f.field("txtStockNum").text, "600");
    EXPECT_EQ(f.focusRequest(), "txtStockNum");
    f.press("cmdOk");
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(ui.messages.size(), 1u);
    // After another field was left, OK itself says it.
    f.clearFocusRequest();
    typeAndLeave(f, "txtDay", "2");
    f.press("cmdOk");
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages.back().text, kSaleTooLarge);
    EXPECT_EQ(f.focusRequest(), "txtStockNum");
    // All the shares held may be sold; the fee is computed at the entered price.
    typeAndLeave(f, "txtPrice", "20");
    EXPECT_EQ(ui.messages.size(), 2u);
    typeAndLeave(f, "txtStockNum", "500");
    EXPECT_EQ(f.field("txtSxf").text, "81.00");         // 35 + 40 + 1 + 5 on 10 000.00
    EXPECT_EQ(f.field("txtAllPrice").text, "9919.00");  // brought in, net of the fee
    f.press("cmdOk");
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
        SCOPED_TRACE(gbkToUtf8(f.field("grpStk").text));
        typeAndLeave(f, "txtCode", "600000");  // a subscription starts without one
        typeAndLeave(f, "txtPrice", "5");
        EXPECT_EQ(f.field("txtSxf").text, "0.00");
        EXPECT_EQ(f.field("txtAllPrice").text, "1500.00");
        f.press("cmdOk");
        EXPECT_EQ(f.result(), Form::Result::Ok);
        EXPECT_EQ(record.fee, 0);
        EXPECT_EQ(record.type(), c.type);
    }
}

TEST_F(TradeFormTest, ADividendIsTypedIntoTheFeeField) {
    TradeForm& f = open(TradeMode::Dividend, trade(kDividend, "600000", 0, 0, 0));
    typeAndLeave(f, "txtSxf", "150");
    EXPECT_EQ(f.field("txtSxf").text, "150");
    EXPECT_EQ(f.field("txtAllPrice").text, "150.00");
    f.press("cmdOk");
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(record.fee, 150000);
    EXPECT_EQ(record.shares, 0);
    EXPECT_EQ(record.price, 0);
}

TEST_F(TradeFormTest, EditingASaleEditsItsCostBasis) {
    TradeForm& f = open(TradeMode::Edit, trade(kSell, "600000", 500, 10000, 40000, 5012340));
    typeAndLeave(f, "txtPrice", "12");
    typeAndLeave(f, "txtSxf", "50");
    EXPECT_EQ(f.field("txtAllPrice").text, "5012.34");  // neither leave overwrites it
    typeAndLeave(f, "txtAllPrice", "4000.456");
    EXPECT_EQ(f.field("txtAllPrice").text, "4000.46");
    f.press("cmdOk");
    EXPECT_EQ(f.result(), Form::Result::Ok);
    EXPECT_EQ(record.costBasis, 4000460);
    EXPECT_EQ(record.price, 12000);
    EXPECT_EQ(record.fee, 50000);

    // Any other edited type keeps its cost basis and a read-only total.
    TradeForm& buy = open(TradeMode::Edit, trade(kBuy, "600000", 100, 10000, 0, 777));
    typeAndLeave(buy, "txtAllPrice", "5");
    buy.press("cmdOk");
    EXPECT_EQ(record.costBasis, 777);
}

TEST_F(TradeFormTest, OkNeedsAStockName) {
    TradeForm& f = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(f, "txtPrice", "10");
    f.press("cmdOk");
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(messageTexts(), std::vector<std::string>{gbk("未填写股票代码!")});
    EXPECT_EQ(f.focusRequest(), "txtCode");
    f.press("cmdCancel");
    EXPECT_EQ(f.result(), Form::Result::Cancel);
    EXPECT_EQ(LedgerRecord::of(record), LedgerRecord::of(emptyTrade(kBuy)));
}

TEST_F(TradeFormTest, APurchaseOfNoSharesIsRefusedAtOk) {
    for (const TradeMode mode : {TradeMode::Buy, TradeMode::Subscription}) {
        ui.messages.clear();
        TradeForm& f = open(mode, emptyTrade(mode == TradeMode::Buy ? kBuy : kSubscription));
        typeAndLeave(f, "txtCode", "600000");
        typeAndLeave(f, "txtPrice", "10");
        f.press("cmdOk");
        EXPECT_TRUE(f.isOpen());
        EXPECT_EQ(messageTexts(), std::vector<std::string>{gbk("'0' 为无效值,请重新输入！")});
        EXPECT_EQ(f.focusRequest(), "txtStockNum");
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
        {TradeMode::Sell, sale, "txtYear", "20x6", "2024"},
        {TradeMode::Sell, sale, "txtStockNum", "1e3", "500"},
        {TradeMode::Sell, sale, "txtStockNum", "12 ", "500"},
        {TradeMode::Sell, sale, "txtStockNum", "2147483648", "500"},  // beyond 32 bits
        {TradeMode::Sell, sale, "txtPrice", "abc", "10"},
        {TradeMode::Sell, sale, "txtSxf", "", "40"},
        {TradeMode::Edit, sale, "txtAllPrice", "1..2", "5012.34"},
        // Amounts that do not fit their milli-yuan fields.
        {TradeMode::Sell, sale, "txtPrice", "2147483.65", "10"},
        {TradeMode::Sell, sale, "txtPrice", "-2147483.65", "10"},
        {TradeMode::Sell, sale, "txtSxf", "1e7", "40"},
        {TradeMode::Edit, sale, "txtAllPrice", "1e16", "5012.34"},
        {TradeMode::Edit, sale, "txtAllPrice", "-1e16", "5012.34"},
        // Fees that would not fit: refused on the field left.
        {TradeMode::Edit, trade(kBuy, "600000", 2000000000, 0, 0), "txtPrice", "100", "0"},
        {TradeMode::Sell, trade(kSell, "600000", 2000000000, 100000, 0), "txtStockNum",
         "1999999999", "2000000000"},
        // No shares, or fewer: no transaction but a dividend moves none.
        {TradeMode::Sell, sale, "txtStockNum", "0", "500"},
        {TradeMode::RightsIssue, trade(kRightsIssue, "600000", 1000, 5000, 0), "txtStockNum",
         "-300", "1000"},
        {TradeMode::BonusShares, trade(kBonusShares, "600000", 1000, 0, 0), "txtStockNum", "0",
         "1000"},
        {TradeMode::Edit, trade(kBuy, "600000", 100, 10000, 5000), "txtStockNum", "-100", "100"},
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
        f.press("cmdOk");
        EXPECT_TRUE(f.isOpen());
        EXPECT_EQ(ui.messages.size(), 1u);
        f.press("cmdOk");
        EXPECT_EQ(f.result(), Form::Result::Ok);
        EXPECT_EQ(LedgerRecord::of(record), LedgerRecord::of(c.opening));
    }
}

TEST_F(TradeFormTest, TheLargestStorableAmountsAreTaken) {
    TradeForm& f = open(TradeMode::Edit, trade(kSell, "600000", 1, 0, 0));
    typeAndLeave(f, "txtPrice", "2147483.64");
    typeAndLeave(f, "txtSxf", "-2147483.64");
    typeAndLeave(f, "txtAllPrice", "9e15");
    f.press("cmdOk");
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
    EXPECT_EQ(buy.field("txtSxf").suffix, "");  // nothing to price yet
    typeAndLeave(buy, "txtCode", "600000");
    typeAndLeave(buy, "txtStockNum", "1000");
    typeAndLeave(buy, "txtPrice", "10");
    EXPECT_EQ(buy.field("txtSxf").text, "5.10");
    EXPECT_EQ(buy.field("txtAllPrice").text, "10005.10");
    EXPECT_EQ(buy.field("txtSxf").suffix, feeParts("5.00", "0.00", "0.10", "0.00"));

    // A sale opens on the fee the command computed, and pays the stamp tax.
    TradeForm& sale = open(TradeMode::Sell, trade(kSell, "600000", 1000, 10000, 10100));
    EXPECT_EQ(sale.field("txtSxf").suffix, feeParts("5.00", "5.00", "0.10", "0.00"));
    typeAndLeave(sale, "txtStockNum", "500");  // 5000: the minimum commission, 2.50 stamp tax
    EXPECT_EQ(sale.field("txtSxf").text, "7.55");
    EXPECT_EQ(sale.field("txtAllPrice").text, "4992.45");
    EXPECT_EQ(sale.field("txtSxf").suffix, feeParts("5.00", "2.50", "0.05", "0.00"));
    // A fee typed by hand no longer adds up from the parts: they go until it does again.
    typeAndLeave(sale, "txtSxf", "8");
    EXPECT_EQ(sale.field("txtSxf").suffix, "");
    typeAndLeave(sale, "txtSxf", "7.55");
    EXPECT_EQ(sale.field("txtSxf").suffix, feeParts("5.00", "2.50", "0.05", "0.00"));
    sale.press("cmdOk");
    EXPECT_EQ(record.fee, 7550);
}

TEST_F(TradeFormTest, FeePartsOfTheOldTableAndOfTradesWithoutAFee) {
    TradeForm& buy = open(TradeMode::Buy, emptyTrade(kBuy));
    typeAndLeave(buy, "txtCode", "600000");
    typeAndLeave(buy, "txtStockNum", "1000");
    typeAndLeave(buy, "txtPrice", "10");
    EXPECT_EQ(buy.field("txtSxf").suffix, feeParts("35.00", "40.00", "1.00", "5.00"));
    typeAndLeave(buy, "txtCode", "000001");  // no category: no fee, no parts
    typeAndLeave(buy, "txtPrice", "10");
    EXPECT_EQ(buy.field("txtSxf").text, "0.00");
    EXPECT_EQ(buy.field("txtSxf").suffix, "");

    TradeForm& dividend = open(TradeMode::Dividend, trade(kDividend, "600000", 0, 0, 0));
    typeAndLeave(dividend, "txtSxf", "150");
    EXPECT_EQ(dividend.field("txtSxf").suffix, "");
    TradeForm& rights = open(TradeMode::RightsIssue, trade(kRightsIssue, "600000", 0, 0, 0));
    typeAndLeave(rights, "txtStockNum", "300");
    typeAndLeave(rights, "txtPrice", "5");
    EXPECT_EQ(rights.field("txtSxf").text, "0.00");
    EXPECT_EQ(rights.field("txtSxf").suffix, "");
    // A recorded purchase whose fee was computed shows its parts when it is edited.
    TradeForm& edit = open(TradeMode::Edit, trade(kBuy, "600000", 1000, 10000, 81000));
    EXPECT_EQ(edit.field("txtSxf").suffix, feeParts("35.00", "40.00", "1.00", "5.00"));
}

}  // namespace
}  // namespace tallivan
