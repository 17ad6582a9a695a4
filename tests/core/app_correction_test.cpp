// Editing and undoing transactions and deleting stocks, through the controller: what the rows,
// the totals and the file say afterwards, and that they agree with each other.
#include <gtest/gtest.h>

#include <functional>

#include "core/trade_app.h"
#include "storage/slot_journal.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::kBalance;
using testing::TradeApp;
using Texts = std::vector<std::string>;

// A dated trade dialog entry.
TradeApp::Values on(const char* year, const char* month, const char* day, TradeApp::Values more) {
    TradeApp::Values values{
        {field_id::kYear, year}, {field_id::kMonth, month}, {field_id::kDay, day}};
    values.insert(values.end(), more.begin(), more.end());
    return values;
}

// The whole ledger as the rows show it equals what the file gives when opened again.
void expectFileAgrees(TradeApp& app) {
    const auto shown = app.snapshot();
    app.reopen();
    EXPECT_EQ(app.snapshot(), shown);
}

TEST(UndoTrade, OnlyTheNewestTransactionOfAStockCanBeUndone) {
    DataDir data;
    TradeApp app(data);
    app.typeThenOk(on("2001", "3", "5",
                      {{field_id::kCode, "600001"},
                       {field_id::kShares, "1000"},
                       {field_id::kPrice, "10"},
                       {field_id::kFee, "15"}}));
    app.controller.buy();
    const Texts boughtTargets =
        app.row(LedgerList::Holdings, 1, {held_column::kStopLoss, held_column::kTakeProfit});
    app.onHolding("600001", &Controller::sell,
                  on("2001", "3", "9", {{field_id::kPrice, "11"}, {field_id::kFee, "20"}}));
    ASSERT_EQ(app.rows(LedgerList::Holdings), 1u);  // sold out
    ASSERT_EQ(app.row(LedgerList::Trades, 1, {trade_column::kOperation}), Texts{gbk("买入")});

    app.onTrade(1, &Controller::undoTrade, {});  // the buy, below the sale
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("不是该股票的最后一次交易,不能撤消!"));
    EXPECT_EQ(app.ui.messages[0].caption, gbk("错误"));
    EXPECT_EQ(app.ui.dialogsRun, 2);  // the buy's and the sale's, no more
    EXPECT_EQ(app.rows(LedgerList::Trades), 2u);

    // Undoing the sale brings the holding back with its cost and the targets the buy gave it,
    // and the sold row goes.
    app.ui.messages.clear();
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.caption(), gbk("撤消交易"));
        EXPECT_FALSE(form.field(field_id::kShares).enabled);
        form.press(field_id::kOk);
    };
    app.controller.selectRow(LedgerList::Trades, 0);
    app.controller.undoTrade();
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.rows(LedgerList::Trades), 1u);
    EXPECT_EQ(app.rows(LedgerList::Sold), 1u);
    ASSERT_EQ(app.rows(LedgerList::Holdings), 2u);
    EXPECT_EQ(app.row(LedgerList::Holdings, 1,
                      {held_column::kCode, held_column::kShares, held_column::kBuyTotal}),
              (Texts{"600001", "1000", "10015.00"}));
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kStopLoss, held_column::kTakeProfit}),
              boughtTargets);
    EXPECT_EQ(app.panel(kBalance), "  -10015.00");
    expectFileAgrees(app);

    // Now the buy is the newest: undoing it leaves nothing.
    app.onTrade(0, &Controller::undoTrade, {});
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.rows(LedgerList::Trades), 0u);
    EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);  // the summary row
    EXPECT_EQ(app.panel(kBalance), "       0.00");
    expectFileAgrees(app);
}

TEST(UndoTrade, RowsOfOtherStocksAndOtherAccountsDoNotBlock) {
    DataDir data;
    TradeApp app(data);
    data.account("zrdata", 2, "two", {});
    app.controller.buildTree();  // group, one, two
    const auto buyIn = [&](int node, const char* code, const char* day) {
        app.controller.selectNode(node);
        app.typeThenOk(on("2024", "5", day,
                          {{field_id::kCode, code},
                           {field_id::kShares, "100"},
                           {field_id::kPrice, "10"},
                           {field_id::kFee, "5"}}));
        app.controller.buy();
    };
    buyIn(1, "600001", "1");
    buyIn(2, "600001", "2");  // same code, other account
    buyIn(1, "600002", "3");  // other code, same account
    app.controller.selectNode(0);
    ASSERT_EQ(app.rows(LedgerList::Trades), 3u);
    ASSERT_EQ(app.row(LedgerList::Trades, 2, {trade_column::kDate, trade_column::kCode}),
              (Texts{"24-05-01", "600001"}));

    app.onTrade(2, &Controller::undoTrade, {});
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.rows(LedgerList::Trades), 2u);
    // The other account's holding of the same code stays.
    ASSERT_EQ(app.rows(LedgerList::Holdings), 3u);
    EXPECT_EQ(app.panel(kBalance), "   -2010.00");
}

TEST(UndoTrade, TakesBackExactlyWhatRecordingGave) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    const auto afterBuy = app.snapshot();

    // A dividend of 120.00: the sold row's proceeds and the balance fall by 120.00.
    app.onHolding("600001", &Controller::bonusShares, {{field_id::kShares, "100"}});
    const auto afterBonus = app.snapshot();
    app.onHolding("600001", &Controller::dividend, {{field_id::kFee, "120"}});
    app.onHolding("600001", &Controller::sell,
                  {{field_id::kShares, "500"}, {field_id::kPrice, "12"}, {field_id::kFee, "10"}});
    const auto afterSale = app.snapshot();
    app.onHolding("600001", &Controller::dividend, {{field_id::kFee, "120"}});
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kSaleTotal}), Texts{"6230.00"});
    const Texts held =
        app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal});

    app.onTrade(0, &Controller::undoTrade, {});
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kSaleTotal}), Texts{"6110.00"});
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
              held);
    EXPECT_EQ(app.snapshot(), afterSale);

    app.onTrade(0, &Controller::undoTrade, {});  // the sale
    app.onTrade(0, &Controller::undoTrade, {});  // the first dividend: the sold row goes
    EXPECT_EQ(app.snapshot(), afterBonus);
    app.onTrade(0, &Controller::undoTrade, {});
    EXPECT_EQ(app.snapshot(), afterBuy);
    EXPECT_TRUE(app.ui.messages.empty());
    expectFileAgrees(app);
}

TEST(UndoTrade, ASubscriptionReturnsItsMoney) {
    DataDir data;
    TradeApp app(data);
    app.typeThenOk(
        {{field_id::kCode, "600001"}, {field_id::kShares, "1000"}, {field_id::kPrice, "8"}});
    app.controller.subscribe();
    EXPECT_EQ(app.panel(kBalance), "   -8000.00");
    app.onTrade(0, &Controller::undoTrade, {});
    EXPECT_EQ(app.panel(kBalance), "       0.00");
    EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);
    EXPECT_EQ(app.rows(LedgerList::Sold), 1u);
}

TEST(UndoTrade, CancelAndMissingSelectionChangeNothing) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    const auto before = app.snapshot();
    app.controller.selectRow(LedgerList::Trades, std::nullopt);
    app.controller.undoTrade();
    app.controller.editTrade();
    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("请先选择交易!"));
    EXPECT_EQ(app.ui.messages[1].text, gbk("请先选择交易!"));

    app.ui.messages.clear();
    app.controller.selectRow(LedgerList::Trades, 0);
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kShares, "2000");
        form.press(field_id::kCancel);
    };
    app.controller.undoTrade();
    app.controller.editTrade();
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.snapshot(), before);
}

TEST(EditTrade, PositionsAndTotalsMoveByTheDifference) {
    const struct {
        const char* name;
        TradeApp::Values typed;
        Texts held;  // shares and cost
        const char* balance;
    } cases[] = {
        {"more shares",
         {{field_id::kShares, "1200"}, {field_id::kFee, "15"}},
         {"1200", "12015.00"},
         "  -12015.00"},
        {"fewer shares",
         {{field_id::kShares, "800"}, {field_id::kFee, "15"}},
         {"800", "8015.00"},
         "   -8015.00"},
        {"the fee only", {{field_id::kFee, "20"}}, {"1000", "10020.00"}, "  -10020.00"},
        {"the price",
         {{field_id::kPrice, "9.5"}, {field_id::kFee, "15"}},
         {"1000", "9515.00"},
         "   -9515.00"},
    };
    for (const auto& c : cases) {
        DataDir data;
        TradeApp app(data);
        app.buy("600001", "1000", "10", "15");
        app.ui.onDialog = [&](Form& form) {
            EXPECT_EQ(form.caption(), gbk("修改交易"));
            EXPECT_TRUE(form.field(field_id::kCode).readOnly);
            for (const auto& [field, text] : c.typed)
                testing::typeAndLeave(form, field, text);
            form.press(field_id::kOk);
        };
        app.controller.selectRow(LedgerList::Trades, 0);
        app.controller.editTrade();
        EXPECT_TRUE(app.ui.messages.empty()) << c.name;
        EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
                  c.held)
            << c.name;
        EXPECT_EQ(app.panel(kBalance), c.balance) << c.name;
        expectFileAgrees(app);
    }
}

TEST(EditTrade, ASaleCostBasisMovesCostBetweenTheTwoPositions) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    app.onHolding("600001", &Controller::sell,
                  {{field_id::kShares, "500"}, {field_id::kPrice, "12"}, {field_id::kFee, "10"}});
    ASSERT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kBuyTotal}), Texts{"4025.00"});
    ASSERT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kBuyTotal}), Texts{"5990.00"});
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.field(field_id::kTotal).label, gbk("总买价"));
        EXPECT_EQ(form.field(field_id::kTotal).text, "5990.00");
        testing::typeAndLeave(form, field_id::kTotal, "6000");
        form.press(field_id::kOk);
    };
    app.controller.selectRow(LedgerList::Trades, 0);
    app.controller.editTrade();
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kBuyTotal}), Texts{"4015.00"});
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kBuyTotal}), Texts{"6000.00"});
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kShares, sold_column::kSaleTotal}),
              (Texts{"500", "5990.00"}));
    expectFileAgrees(app);

    // More shares sold: the holding gives them up, the sold position takes them with the
    // larger proceeds.
    app.onTrade(0, &Controller::editTrade, {{field_id::kShares, "600"}, {field_id::kFee, "10"}});
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares}), Texts{"400"});
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kShares, sold_column::kSaleTotal}),
              (Texts{"600", "7190.00"}));
    expectFileAgrees(app);
}

TEST(EditTrade, ASubscriptionChangesNoPosition) {
    DataDir data;
    TradeApp app(data);
    app.typeThenOk(
        {{field_id::kCode, "600001"}, {field_id::kShares, "1000"}, {field_id::kPrice, "8"}});
    app.controller.subscribe();
    app.onTrade(0, &Controller::editTrade, {{field_id::kShares, "2000"}});
    EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);
    EXPECT_EQ(app.rows(LedgerList::Sold), 1u);
    EXPECT_EQ(app.panel(kBalance), "  -16000.00");
    expectFileAgrees(app);
}

TEST(EditTrade, AHugeDifferenceIsKeptWhole) {
    // A difference of price x shares far beyond what a 32-bit fee field holds.
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    app.onTrade(0, &Controller::editTrade,
                {{field_id::kShares, "2000000"}, {field_id::kFee, "15"}});
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.row(LedgerList::Holdings, 1, {held_column::kShares, held_column::kBuyTotal}),
              (Texts{"2000000", "20000015.00"}));
    expectFileAgrees(app);
}

TEST(EditTrade, ABuyOfASoldOutStockOpensAHoldingOfTheDifference) {
    const struct {
        const char* shares;
        Texts held;  // shares, cost, stop-loss and take-profit prices
    } cases[] = {
        // The account's -5 % and 5 %: the prices that net 1900.00 and 2100.00 for 200 shares.
        {"1200", {"200", "2000.00", "9.62", "10.63"}},
        // Fewer shares than were sold: a holding short of shares gets no target prices, and
        // the searches for them end.
        {"800", {"-200", "-2000.00", "0.00", "0.00"}},
    };
    for (const auto& c : cases) {
        DataDir data;
        TradeApp app(data);
        app.buy("600001", "1000", "10", "15");
        app.onHolding("600001", &Controller::sell,
                      {{field_id::kPrice, "11"}, {field_id::kFee, "20"}});
        app.onTrade(1, &Controller::editTrade,
                    {{field_id::kShares, c.shares}, {field_id::kFee, "15"}});
        ASSERT_EQ(app.rows(LedgerList::Holdings), 2u) << c.shares;
        EXPECT_EQ(app.row(LedgerList::Holdings, 1,
                          {held_column::kShares, held_column::kBuyTotal, held_column::kStopLoss,
                           held_column::kTakeProfit}),
                  c.held)
            << c.shares;
        expectFileAgrees(app);
    }
}

TEST(DeleteStock, AsksThenRemovesEveryRowOfTheStockInItsAccount) {
    DataDir data;
    data.names({{"600001", gbk("某股份")}});
    TradeApp app(data);
    app.typeThenOk({{field_id::kCode, "600002"},
                    {field_id::kShares, "100"},
                    {field_id::kPrice, "5"},
                    {field_id::kFee, "5"}});
    app.controller.buy();
    const auto otherStockOnly = app.snapshot();
    app.buy("600001", "1000", "10", "15");
    app.onHolding("600001", &Controller::sell,
                  {{field_id::kShares, "500"}, {field_id::kPrice, "12"}, {field_id::kFee, "10"}});
    app.onHolding("600001", &Controller::dividend, {{field_id::kFee, "120"}});
    app.typeThenOk(
        {{field_id::kCode, "600001"}, {field_id::kShares, "1000"}, {field_id::kPrice, "8"}});
    app.controller.subscribe();

    for (const Answer answer : {Answer::No, Answer::Yes}) {
        app.ui.messages.clear();
        app.ui.answerYes = answer == Answer::Yes;
        app.controller.setFocusedList(LedgerList::Sold);
        app.controller.selectRow(LedgerList::Sold, 1);
        const auto before = app.snapshot();
        app.controller.deleteStock();
        ASSERT_EQ(app.ui.messages.size(), 1u);
        EXPECT_EQ(app.ui.messages[0].text,
                  gbk("该操作将删除 “600001某股份” 的所有交易记录!是否进行?"));
        EXPECT_EQ(app.ui.messages[0].caption, gbk("警告"));
        if (answer == Answer::No) {
            EXPECT_EQ(app.snapshot(), before);
        }
    }
    EXPECT_EQ(app.snapshot(), otherStockOnly);
    expectFileAgrees(app);
}

TEST(DeleteStock, NeedsAStockRow) {
    DataDir data;
    TradeApp app(data);
    app.buy("600001", "1000", "10", "15");
    app.controller.selectRow(LedgerList::Holdings, 0);  // the summary row
    app.controller.deleteStock();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("请先选择股票!"));
    EXPECT_EQ(app.rows(LedgerList::Holdings), 2u);
}

// A disk that stops taking writes at any point of a command: the command is in the file whole
// or not at all, the lists show what the file holds, and a failure is said.
TEST(Corrections, ADiskThatStopsAnywhereLeavesTheCommandWholeOrAbsent) {
    const struct {
        const char* name;
        void (Controller::*command)();
    } commands[] = {
        {"edit", &Controller::editTrade},
        {"undo", &Controller::undoTrade},
        {"delete stock", &Controller::deleteStock},
    };
    const auto prepare = [](TradeApp& app) {
        app.buy("600001", "1000", "10", "15");
        app.onHolding(
            "600001", &Controller::sell,
            {{field_id::kShares, "500"}, {field_id::kPrice, "12"}, {field_id::kFee, "10"}});
        app.buy("600001", "100", "10", "5");
        app.ui.answerYes = true;
        app.controller.selectRow(LedgerList::Trades, 0);
        app.controller.selectRow(LedgerList::Holdings, 1);
        app.typeThenOk({{field_id::kShares, "200"}, {field_id::kFee, "5"}});
        app.ui.messages.clear();
    };
    const auto writeFailed = [](const TradeApp& app) {
        return std::any_of(app.ui.messages.begin(), app.ui.messages.end(),
                           [](const auto& m) { return m.text.rfind(gbk("写文件出错!"), 0) == 0; });
    };
    for (const auto& c : commands) {
        std::vector<std::vector<std::string>> done;
        {
            DataDir data;
            TradeApp app(data);
            prepare(app);
            const auto before = app.snapshot();
            (app.controller.*c.command)();
            ASSERT_FALSE(writeFailed(app)) << c.name;
            done = app.snapshot();
            ASSERT_NE(done, before) << c.name;
        }
        bool finished = false;
        for (int allowed = 0; !finished; ++allowed) {
            ASSERT_LT(allowed, 60) << c.name << ": the command never finished";
            DataDir data;
            TradeApp app(data);
            prepare(app);
            const auto before = app.snapshot();
            app.fs.changesLeft = allowed;
            (app.controller.*c.command)();
            app.fs.changesLeft.reset();
            const bool failed = writeFailed(app);
            EXPECT_EQ(app.snapshot(), failed ? before : done) << c.name << ", " << allowed;
            // A journal left whole is finished by the next program that takes the lock.
            finished = !failed && !journalWaiting(data.fs());
            expectFileAgrees(app);
            EXPECT_FALSE(journalWaiting(data.fs())) << c.name << ", " << allowed;
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

// The first transaction row of `code` whose type is `type`.
std::size_t tradeRow(const TradeApp& app, const char* code, const char* type) {
    const auto& rows = app.controller.lists().rows(LedgerList::Trades);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].text(trade_column::kCode) == code &&
            rows[i].text(trade_column::kOperation) == gbk(type))
            return i;
    }
    ADD_FAILURE() << "no " << code << " row";
    return 0;
}

TEST(Corrections, ALongSessionReopensToWhatItShowedAfterEveryStep) {
    DataDir data;
    testing::writeSampleNames(data);
    TradeApp app(data);
    const auto buyOn = [&](const char* code, const char* shares, const char* price, const char* fee,
                           const char* day) {
        app.typeThenOk(on("2026", "1", day,
                          {{field_id::kCode, code},
                           {field_id::kShares, shares},
                           {field_id::kPrice, price},
                           {field_id::kFee, fee}}));
        app.controller.buy();
    };
    const struct {
        const char* name;
        std::function<void()> run;
    } steps[] = {
        {"deposit",
         [&] {
             app.ui.onDialog = [](Form& form) {
                 form.select(field_id::kOperation, 0);
                 testing::typeAndLeave(form, field_id::kAmount, "100000");
                 form.press(field_id::kOk);
             };
             app.controller.addFund();
         }},
        {"buy 600001", [&] { buyOn("600001", "1000", "10", "15", "5"); }},
        {"buy 600002", [&] { buyOn("600002", "2000", "5", "10", "6"); }},
        {"partial sale",
         [&] {
             app.onHolding(
                 "600001", &Controller::sell,
                 {{field_id::kShares, "500"}, {field_id::kPrice, "12"}, {field_id::kFee, "10"}});
         }},
        {"bonus",
         [&] {
             app.onHolding("600001", &Controller::bonusShares, {{field_id::kShares, "100"}});
         }},
        {"dividend",
         [&] {
             app.onHolding("600001", &Controller::dividend, {{field_id::kFee, "120"}});
         }},
        {"rights",
         [&] {
             app.onHolding("600002", &Controller::rightsIssue,
                           {{field_id::kShares, "200"}, {field_id::kPrice, "4"}});
         }},
        {"full sale",
         [&] {
             app.onHolding("600002", &Controller::sell,
                           {{field_id::kPrice, "6"}, {field_id::kFee, "20"}});
         }},
        {"subscription",
         [&] {
             app.typeThenOk({{field_id::kCode, "600003"},
                             {field_id::kShares, "1000"},
                             {field_id::kPrice, "8"}});
             app.controller.subscribe();
         }},
        {"won in part",
         [&] {
             app.controller.selectRow(LedgerList::Trades, int(tradeRow(app, "600003", "申购")));
             app.ui.onDialog = [](Form& form) {
                 form.type(field_id::kText, "400");
                 form.press(field_id::kOk);
             };
             app.controller.subscriptionWon();
         }},
        {"edit the buy",
         [&] {
             app.onTrade(tradeRow(app, "600001", "买入"), &Controller::editTrade,
                         {{field_id::kShares, "1200"}, {field_id::kFee, "15"}});
         }},
        {"edit the sale's cost basis",
         [&] {
             app.onTrade(tradeRow(app, "600001", "卖出"), &Controller::editTrade,
                         {{field_id::kTotal, "6000"}});
         }},
        {"undo the full sale",
         [&] { app.onTrade(tradeRow(app, "600002", "卖出"), &Controller::undoTrade, {}); }},
        {"undo the part not won",
         [&] { app.onTrade(tradeRow(app, "600003", "不中"), &Controller::undoTrade, {}); }},
        {"undo the allotment",
         [&] { app.onTrade(tradeRow(app, "600003", "中签"), &Controller::undoTrade, {}); }},
        {"delete a stock",
         [&] {
             app.controller.setFocusedList(LedgerList::Holdings);
             app.onHolding("600002", &Controller::deleteStock, {});
         }},
    };
    for (const auto& step : steps) {
        app.ui.messages.clear();
        step.run();
        for (const auto& m : app.ui.messages)
            EXPECT_NE(m.caption, gbk("错误")) << step.name << ": " << m.text;
        expectFileAgrees(app);
        ASSERT_FALSE(::testing::Test::HasFailure()) << step.name;
    }
    // 600001: 1200 bought for 12015.00, 500 sold for a net 5990.00 with 6000.00 moved as cost,
    // 100 bonus; 600002 deleted; 600003 given back.
    EXPECT_EQ(app.rows(LedgerList::Holdings), 2u);
    EXPECT_EQ(app.row(LedgerList::Holdings, 1,
                      {held_column::kCode, held_column::kShares, held_column::kBuyTotal}),
              (Texts{"600001", "800", "6015.00"}));
    EXPECT_EQ(app.row(LedgerList::Sold, 1,
                      {sold_column::kCode, sold_column::kShares, sold_column::kBuyTotal,
                       sold_column::kSaleTotal}),
              (Texts{"600001", "500", "6000.00", "6110.00"}));
    // 100000 - 12015 + 5990 + 120
    EXPECT_EQ(app.panel(kBalance), "   94095.00");
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

using testing::DataDir;
using testing::TradeApp;
using Texts = std::vector<std::string>;

// Buys 1 000 x 000858 at 128.30 on 2026-12-01 and gives the holding a current price, targets
// and a memo of its own.
void buyAndTend(TradeApp& app) {
    app.typeThenOk({{field_id::kYear, "2026"},
                    {field_id::kMonth, "12"},
                    {field_id::kDay, "1"},
                    {field_id::kCode, "000858"},
                    {field_id::kShares, "1000"},
                    {field_id::kPrice, "128.30"}});
    app.controller.buy();
    app.controller.selectRow(LedgerList::Holdings, 1);
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kMemo, gbk("长期持有"));
        testing::typeAndLeave(form, field_id::kCurrentPrice, "130.50");
        testing::typeAndLeave(form, field_id::kStopLossPrice, "120.00");
        testing::typeAndLeave(form, field_id::kTakeProfitPrice, "150.00");
        form.press(field_id::kOk);
    };
    app.controller.editStock();
    ASSERT_TRUE(app.ui.messages.empty());
}

Texts holdingRow(const TradeApp& app) {
    const LedgerRow& row = app.controller.lists().rows(LedgerList::Holdings).at(1);
    Texts texts;
    for (int c = 1; c < row.textCount(); ++c)
        texts.emplace_back(row.text(c));
    return texts;
}

TEST(EditTrade, ASaleEditedTo500LeavesTheLedgerAsSelling500Directly) {
    DataDir direct;
    TradeApp sold500(direct);
    buyAndTend(sold500);
    sold500.onHolding("000858", &Controller::sell,
                      {{field_id::kShares, "500"}, {field_id::kPrice, "131.20"}});
    ASSERT_EQ(sold500.rows(LedgerList::Holdings), 2u);

    DataDir edited;
    TradeApp app(edited);
    buyAndTend(app);
    app.onHolding("000858", &Controller::sell, {{field_id::kPrice, "131.20"}});
    ASSERT_EQ(app.rows(LedgerList::Holdings), 1u);  // every share sold
    app.onTrade(0, &Controller::editTrade, {{field_id::kShares, "500"}});
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.snapshot(), sold500.snapshot());
    // No false loss: the 500 sold move as much cost as they bring in.
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kShares, sold_column::kProfit}),
              (Texts{"500", "0.00"}));
    app.reopen();
    EXPECT_EQ(app.snapshot(), sold500.snapshot());

    // Back to the whole 1 000: the whole cost moves again, the holding closes.
    app.onTrade(0, &Controller::editTrade, {{field_id::kShares, "1000"}});
    EXPECT_EQ(app.rows(LedgerList::Holdings), 1u);
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kBuyTotal}), Texts{"128300.00"});
}

TEST(EditTrade, ATypedCostBasisIsKeptAndMoreThanHeldIsRefused) {
    DataDir data;
    TradeApp app(data);
    buyAndTend(app);
    app.onHolding("000858", &Controller::sell,
                  {{field_id::kShares, "400"}, {field_id::kPrice, "131.20"}});
    app.onTrade(0, &Controller::editTrade,
                {{field_id::kShares, "500"}, {field_id::kTotal, "60000"}});
    EXPECT_EQ(app.row(LedgerList::Sold, 1, {sold_column::kBuyTotal}), Texts{"60000.00"});
    const auto before = app.snapshot();
    app.onTrade(0, &Controller::editTrade, {{field_id::kShares, "1001"}});
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("卖出股数大于买入股数！"));
    EXPECT_EQ(app.snapshot(), before);
}

TEST(UndoTrade, AClosingSaleUndoneGivesTheHoldingBackAsItWas) {
    DataDir data;
    Texts tended;
    {
        TradeApp app(data);
        buyAndTend(app);
        tended = holdingRow(app);
        app.onHolding("000858", &Controller::sell, {{field_id::kPrice, "131.20"}});
        ASSERT_EQ(app.rows(LedgerList::Holdings), 1u);
    }
    // Another program, started later, undoes it.
    TradeApp later(data, true);
    later.onTrade(0, &Controller::undoTrade, {});
    EXPECT_TRUE(later.ui.messages.empty());
    ASSERT_EQ(later.rows(LedgerList::Holdings), 2u);
    EXPECT_EQ(holdingRow(later), tended);
    later.reopen();
    EXPECT_EQ(holdingRow(later), tended);

    // Sold out again and undone again: the same holding once more, not an older one.
    later.onHolding("000858", &Controller::sell, {{field_id::kPrice, "140"}});
    later.onTrade(0, &Controller::undoTrade, {});
    EXPECT_EQ(holdingRow(later), tended);
}

}  // namespace
}  // namespace tallivan
