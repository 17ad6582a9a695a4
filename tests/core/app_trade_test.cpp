#include <gtest/gtest.h>

#include "app/controller.h"
#include "core/trade_app.h"
#include "forms/form.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::TradeApp;

constexpr int kBalance = testing::kBalance;

TEST(TradeCommands, ABuyOpensAPositionAndASecondOneAddsToIt) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    EXPECT_TRUE(app.ui.messages.empty());
    ASSERT_EQ(app.rows(LedgerList::Holdings), 2u);
    EXPECT_EQ(app.row(LedgerList::Holdings, 1,
                      {held_column::kCode, held_column::kShares, held_column::kBuyTotal}),
              (std::vector<std::string>{"600001", "1000", "10015.00"}));
    EXPECT_EQ(app.row(LedgerList::Trades, 0,
                      {trade_column::kOperation, trade_column::kShares, trade_column::kPrice,
                       trade_column::kFee, trade_column::kTotal}),
              (std::vector<std::string>{gbk("买入"), "1000", "10.00", "15.00", "-10015.00"}));
    EXPECT_EQ(app.panel(kBalance), "  -10015.00");
    // The trade, then the position and its note.
    auto stored = readAccount(data.fs(), app.path, Password{}, true);
    ASSERT_EQ(stored.slots.size(), 3u);
    EXPECT_EQ(stored.slots[0].kindState(), 0x01);
    EXPECT_EQ(stored.slots[0].as<TradeRecord>().reserved, -1000000);
    EXPECT_EQ(stored.slots[1].kindState(), 0x21);
    EXPECT_EQ(stored.slots[2].kindState(), 0x41);
    const auto targets =
        app.row(LedgerList::Holdings, 1, {held_column::kStopLoss, held_column::kTakeProfit});

    app.buy("600001", "500", "11", "10");
    ASSERT_EQ(app.rows(LedgerList::Holdings), 2u);
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
              (std::vector<std::string>{"1500", "15525.00"}));
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kStopLoss, held_column::kTakeProfit}),
              targets);  // set by the first buy
    stored = readAccount(data.fs(), app.path, Password{}, true);
    EXPECT_EQ(stored.slots.size(), 4u);  // one more trade, the position rewritten in place
}

TEST(TradeCommands, PartialSalesMoveTheirNetProceedsAsCost) {
    const struct {
        const char* price;
        const char* fee;
        const char* costBasis;  // of the sale
        const char* heldCost;   // of the 500 shares left
    } cases[] = {
        {"12", "10", "5990.00", "4025.00"},     // net 5990.00, no more than the cost held
        {"24.02", "10", "1985.00", "8030.00"},  // net 12000.00 beyond the cost of 10015.00
    };
    for (const auto& c : cases) {
        DataDir data;
        TradeApp app(data);
        app.buy("600001", "1000", "10", "15");
        app.onHolding(
            "600001", &Controller::sell,
            {{field_id::kShares, "500"}, {field_id::kPrice, c.price}, {field_id::kFee, c.fee}});
        EXPECT_TRUE(app.ui.messages.empty()) << c.price;
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
                  (std::vector<std::string>{"500", c.heldCost}));
        EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kShares, sold_column::kBuyTotal}),
                  (std::vector<std::string>{"500", c.costBasis}));
        const auto stored = readAccount(data.fs(), app.path, Password{}, true);
        EXPECT_EQ(fromMilli(stored.slots[3].as<TradeRecord>().costBasis), *parseMoney(c.costBasis));
    }
}

TEST(TradeCommands, SellingEverythingMovesTheWholeCostToTheSoldRow) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    app.onHolding("600001", &Controller::sell,
                  {{field_id::kPrice, "11"}, {field_id::kFee, "20"}});  // all 1000 shares
    EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);                      // the summary row alone
    EXPECT_EQ(app.row(LedgerList::Sold, 1,
                      {sold_column::kShares, sold_column::kBuyTotal, sold_column::kSaleTotal,
                       sold_column::kProfit}),
              (std::vector<std::string>{"1000", "10015.00", "10980.00", "965.00"}));
    EXPECT_EQ(app.row(LedgerList::Trades, 0,
                      {trade_column::kOperation, trade_column::kTotal, trade_column::kProfit}),
              (std::vector<std::string>{gbk("卖出"), "10980.00", "965.00"}));
    const auto stored = readAccount(data.fs(), app.path, Password{}, true);
    EXPECT_EQ(stored.slots[1].kindState(), 0xF1);  // the held position and its note, deleted
    EXPECT_EQ(stored.slots[2].kindState(), 0xF1);
    // Reopened, the lists are the same.
    const auto sold =
        app.row(LedgerList::Sold, 1,
                {sold_column::kCode, sold_column::kShares, sold_column::kBuyTotal,
                 sold_column::kSaleTotal, sold_column::kProfit, sold_column::kProfitRatio});
    app.controller.selectNode(1);
    EXPECT_EQ(app.row(LedgerList::Sold, 1,
                      {sold_column::kCode, sold_column::kShares, sold_column::kBuyTotal,
                       sold_column::kSaleTotal, sold_column::kProfit, sold_column::kProfitRatio}),
              sold);
    EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);
}

TEST(TradeCommands, CorporateActionsOnAHolding) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    app.onHolding("600001", &Controller::bonusShares, {{field_id::kShares, "300"}});
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
              (std::vector<std::string>{"1300", "10015.00"}));
    app.onHolding("600001", &Controller::rightsIssue,
                  {{field_id::kShares, "300"}, {field_id::kPrice, "5"}});
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
              (std::vector<std::string>{"1600", "11515.00"}));
    EXPECT_EQ(app.panel(kBalance), "  -11515.00");
    app.onHolding("600001", &Controller::dividend, {{field_id::kFee, "120"}});
    EXPECT_EQ(app.row(LedgerList::Sold, 1,
                      {sold_column::kCode, sold_column::kShares, sold_column::kBuyTotal,
                       sold_column::kSaleTotal}),
              (std::vector<std::string>{"600001", "0", "0.00", "120.00"}));
    EXPECT_EQ(app.panel(kBalance), "  -11395.00");
}

TEST(TradeCommands, ADividendOfNothingLeavesNoSoldRow) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    app.onHolding("600001", &Controller::dividend, {{field_id::kFee, "0"}});
    EXPECT_EQ(app.rows(LedgerList::Sold), 1u);
    const auto stored = readAccount(data.fs(), app.path, Password{}, true);
    ASSERT_EQ(stored.slots.size(), 6u);  // the dividend, then a position made and deleted
    EXPECT_EQ(stored.slots[4].kindState(), 0xF0);
    EXPECT_EQ(stored.slots[5].kindState(), 0xF0);
}

TEST(TradeCommands, SubscriptionOutcomes) {
    const struct {
        const char* answer;
        const char* message;  // nothing when the answer is taken
        std::size_t tradeRows;
        const char* balance;
    } cases[] = {
        {"1000", nullptr, 1, "   -8000.00"},  // all allotted: the row becomes 中签
        {"400", nullptr, 2, "   -3200.00"},   // a 不中 row returns the money for 600
        {"0", "申购中签的股数输入错!", 1, "   -8000.00"},
        {"1001", "申购中签的股数输入错!", 1, "   -8000.00"},
        {"abc", "申购中签的股数输入错!", 1, "   -8000.00"},
    };
    for (const auto& c : cases) {
        DataDir data;
        TradeApp app(data);
        app.typeThenOk(
            {{field_id::kCode, "600001"}, {field_id::kShares, "1000"}, {field_id::kPrice, "8"}});
        app.controller.subscribe();
        ASSERT_EQ(app.panel(kBalance), "   -8000.00");
        app.controller.selectRow(LedgerList::Trades, 0);
        app.ui.messages.clear();
        app.ui.onDialog = [&](Form& form) {
            EXPECT_EQ(form.caption(), gbk("申购中签"));
            EXPECT_EQ(form.field(field_id::kText).label, gbk("“600001 1000股”的中签股数:"));
            EXPECT_EQ(form.field(field_id::kText).text, "1000");
            form.type(field_id::kText, c.answer);
            form.press(field_id::kOk);
        };
        app.controller.subscriptionWon();
        EXPECT_EQ(app.rows(LedgerList::Trades), c.tradeRows) << c.answer;
        EXPECT_EQ(app.panel(kBalance), c.balance) << c.answer;
        if (c.message) {
            ASSERT_EQ(app.ui.messages.size(), 1u);
            EXPECT_EQ(app.ui.messages[0].text, gbk(c.message));
            EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);
        } else {
            EXPECT_TRUE(app.ui.messages.empty()) << c.answer;
            EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares}),
                      std::vector<std::string>{c.answer});
        }
    }

    DataDir data;
    TradeApp app(data);
    app.typeThenOk(
        {{field_id::kCode, "600001"}, {field_id::kShares, "1000"}, {field_id::kPrice, "8"}});
    app.controller.subscribe();
    app.controller.selectRow(LedgerList::Trades, 0);
    app.ui.messages.clear();
    app.controller.subscriptionNotWon();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("请确认 “申购 600001” 未中签!"));
    EXPECT_EQ(app.row(LedgerList::Trades, 0, {trade_column::kOperation, trade_column::kTotal}),
              (std::vector<std::string>{gbk("不中"), "0.00"}));
    EXPECT_EQ(app.panel(kBalance), "       0.00");
    app.ui.messages.clear();
    app.controller.subscriptionNotWon();  // no longer a subscription
    EXPECT_EQ(app.ui.messages[0].text, gbk("请先选择申购交易!"));
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

// A holding of 1 000 x 000858 at `price` with stop-loss 240.00 and take-profit 300.00.
void holdWithTargets(testing::TradeApp& app, const char* price) {
    app.buy("000858", "1000", price, "0");
    app.controller.selectRow(LedgerList::Holdings, 1);
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kStopLossPrice, "240.00");
        testing::typeAndLeave(form, field_id::kTakeProfitPrice, "300.00");
        form.press(field_id::kOk);
    };
    app.controller.editStock();
}

TEST(TradeCommands, AnIssueMovesPriceAndTargetsToTheExRightsPrice) {
    using Texts = std::vector<std::string>;
    const std::initializer_list<int> shown = {held_column::kShares, held_column::kCurrentPrice,
                                              held_column::kStopLoss, held_column::kTakeProfit};
    {
        // 10送2 at 265.80: 265.80 x 1 000 / 1 200.
        testing::DataDir data;
        testing::TradeApp app(data);
        holdWithTargets(app, "265.80");
        const std::string profit = app.row(LedgerList::Holdings, 1, {held_column::kProfit})[0];
        app.onHolding("000858", &Controller::bonusShares, {{field_id::kShares, "200"}});
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, shown),
                  (Texts{"1200", "221.50", "200.00", "250.00"}));
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kProfit})[0], profit);
        app.reopen();
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kCurrentPrice}), Texts{"221.50"});
        // Undone, the issue takes its adjustment back.
        app.onTrade(0, &Controller::undoTrade, {});
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, shown),
                  (Texts{"1000", "265.80", "240.00", "300.00"}));
    }
    {
        // 10配3 at 5.00 on 1 000 at 20.00: (20 000 + 1 500) / 1 300 = 16.538...
        testing::DataDir data;
        testing::TradeApp app(data);
        holdWithTargets(app, "20");
        app.onHolding("000858", &Controller::rightsIssue,
                      {{field_id::kShares, "300"}, {field_id::kPrice, "5"}});
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, shown),
                  (Texts{"1300", "16.54", "198.46", "248.08"}));
    }
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

TEST(TradeCommands, ASubscriptionAwaitingItsOutcomeIsMoneyNotLoss) {
    testing::DataDir data;
    testing::TradeApp app(data);
    app.typeThenOk(
        {{field_id::kCode, "600001"}, {field_id::kShares, "1000"}, {field_id::kPrice, "10"}});
    app.controller.buy();
    const std::string netValue = app.panel(5);
    EXPECT_TRUE(app.controller.totalsPanel().frozen.empty());
    app.typeThenOk(
        {{field_id::kCode, "780001"}, {field_id::kShares, "2500"}, {field_id::kPrice, "11"}});
    app.controller.subscribe();
    EXPECT_EQ(app.controller.totalsPanel().frozen, "   27500.00");
    EXPECT_EQ(app.panel(5), netValue);
    app.reopen();
    EXPECT_EQ(app.controller.totalsPanel().frozen, "   27500.00");
    EXPECT_EQ(app.panel(5), netValue);
    // Not won: the money is back in the balance and the line goes.
    app.ui.onDialog = {};
    app.ui.answerYes = true;
    app.controller.selectRow(LedgerList::Trades, 0);
    app.controller.subscriptionNotWon();
    EXPECT_TRUE(app.controller.totalsPanel().frozen.empty());
    EXPECT_EQ(app.panel(5), netValue);
}

}  // namespace
}  // namespace tallivan
