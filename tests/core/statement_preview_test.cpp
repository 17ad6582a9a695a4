#include <gtest/gtest.h>

#include "base/gbk.h"
#include "ledger/portfolio_totals.h"
#include "statement/statement_preview.h"
#include "statement/statement_reader.h"
#include "support/sample_records.h"

namespace tallivan {
namespace {

using testing::dated;

// A statement of the columns below, its rows given as cells (UTF-8), mapped.
StatementPreview statement(std::initializer_list<const char*> rows) {
    std::string text = gbk("成交日期,成交时间,操作,证券代码,成交数量,成交价格,手续费,发生金额\n");
    for (const char* row : rows)
        text += gbk(row) + "\n";
    StatementReading reading = readStatement(text);
    EXPECT_EQ(reading.problem, StatementProblem::None);
    return std::move(reading.preview);
}

std::vector<ImportStatus> statuses(const StatementPreview& p) {
    std::vector<ImportStatus> s;
    for (const StatementEntry& e : p.entries)
        s.push_back(e.status);
    return s;
}

using S = ImportStatus;

TEST(StatementPreview, SalesNeedTheSharesHeldAtThatMoment) {
    // Listed newest first; recorded oldest first, the buy before the sale of the same day.
    StatementPreview p = statement({
        "20230302,,卖出,600000,600,11,5,6595",
        "20230301,14:00:00,卖出,600000,500,11,5,5495",
        "20230301,10:00:00,买入,600000,1000,10,5,-10005",
        "20230301,09:00:00,卖出,000001,100,10,5,995",
        "20230303,,送股,000002,100,,,",
    });
    comparePreview(p, AccountHoldings{});
    EXPECT_EQ(statuses(p), (std::vector<S>{S::Invalid, S::New, S::New, S::Invalid, S::Invalid}));
    EXPECT_EQ(p.entries[0].note, gbk("卖出股数大于持有股数"));
    EXPECT_EQ(p.entries[3].note, gbk("未持有该股票"));
    EXPECT_EQ(p.entries[4].note, gbk("未持有该股票"));
    EXPECT_EQ(p.order, (std::vector<std::size_t>{2, 1}));
    EXPECT_EQ(p.counts(), (std::array<std::size_t, 5>{2, 0, 0, 0, 3}));

    // A position keeps its shares in 32 bits.
    AccountHoldings large;
    large.sharesHeld["600000"] = 2147483000;
    StatementPreview more = statement({"20230301,,买入,600000,1000,10,5,-10005"});
    comparePreview(more, large);
    EXPECT_EQ(more.entries[0].status, S::Invalid);
    EXPECT_EQ(more.entries[0].note, gbk("股数超出范围"));
}

TEST(StatementPreview, RowsOfOneDayKeepTheOrderTheyHappenedIn) {
    // Without times, the rows of one day stand in the order of the statement: forward in one,
    // backward in the other.
    StatementPreview forward = statement({
        "20230228,,银证转入,,,,,20000",
        "20230301,,买入,600000,1000,10,5,-10005",
        "20230301,,卖出,600000,1000,11,5,10995",
        "20230302,,银证转出,,,,,1000",
    });
    comparePreview(forward, AccountHoldings{});
    EXPECT_EQ(statuses(forward), (std::vector<S>{S::New, S::New, S::New, S::New}));
    EXPECT_EQ(forward.order, (std::vector<std::size_t>{0, 1, 2, 3}));

    StatementPreview backward = statement({
        "20230302,,银证转出,,,,,1000",
        "20230301,,卖出,600000,1000,11,5,10995",
        "20230301,,买入,600000,1000,10,5,-10005",
        "20230228,,银证转入,,,,,20000",
    });
    comparePreview(backward, AccountHoldings{});
    EXPECT_EQ(statuses(backward), (std::vector<S>{S::New, S::New, S::New, S::New}));
    EXPECT_EQ(backward.order, (std::vector<std::size_t>{3, 2, 1, 0}));
}

TEST(StatementPreview, WhatTheAccountHoldsIsADuplicateAsOftenAsItHoldsIt) {
    // Two fills of the same order look alike; the account holds one of them, and a deposit.
    LedgerLists lists;
    lists.addSummaryRows();
    AccountNode account;
    AccountNode other;
    PortfolioTotals totals;
    const Settings settings = defaultSettings();
    const NameTable names;
    TradeRecord buy = dated(testing::trade(kBuy, "600000", 100, 10000, 5000), 2023, 3, 1);
    lists.addAccount(
        &account,
        {LedgerRecord::of(buy),
         LedgerRecord::of(dated(testing::fund(kDeposit, "", 20000000, ""), 2023, 2, 28))},
        RowContext{settings, names}, totals);
    // Another account's identical trade does not count.
    lists.addAccount(&other, {LedgerRecord::of(buy)}, RowContext{settings, names}, totals);
    StatementPreview p = statement({
        "20230228,,银证转入,,,,,20000",
        "20230301,,买入,600000,100,10,5,-1005",
        "20230301,,买入,600000,100,10,5,-1005",
        "20230301,,买入,600000,100,10,6,-1006",  // another fee: another trade
        "20230301,,银证转入,,,,,20000.01",
    });
    comparePreview(p, holdingsOf(lists, &account));
    EXPECT_EQ(statuses(p), (std::vector<S>{S::Duplicate, S::Duplicate, S::New, S::New, S::New}));
}

TEST(StatementPreview, NewSharesAreTheAllotmentOfASubscriptionHeldElseAPurchase) {
    AccountHoldings held;
    held.subscriptions["603999"] = {1000};
    StatementPreview p = statement({
        "20230901,,新股入账,603999,500,5,,0",
        "20230901,,新股入账,688001,500,20,,0",
    });
    comparePreview(p, held);
    EXPECT_EQ(statuses(p), (std::vector<S>{S::New, S::New}));
    EXPECT_EQ(p.entries[0].command, ImportCommand::Won);
    EXPECT_EQ(p.entries[1].command, ImportCommand::Buy);

    // Once allotted, the account holds a won subscription of those shares.
    AccountHoldings won;
    won.recorded.insert("W\t603999\t500");
    StatementPreview again = statement({"20230901,,新股入账,603999,500,5,,0"});
    comparePreview(again, won);
    EXPECT_EQ(statuses(again), std::vector<S>{S::Duplicate});
}

}  // namespace
}  // namespace tallivan
