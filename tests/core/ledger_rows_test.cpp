#include "ledger/ledger_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "ledger/fee_schedule.h"
#include "ledger/portfolio_totals.h"
#include "ledger/row_format.h"
#include "ledger_test_support.h"

namespace tallivan {
namespace {

using Texts = std::vector<std::string>;
using testing::deleted;
using testing::fund;
using testing::held;
using testing::LedgerTest;
using testing::note;
using testing::refAt;
using testing::slot;
using testing::slotsOf;
using testing::sold;
using testing::stock;
using testing::trade;

// Every text of a row, column 0 included.
Texts allTexts(const LedgerRow& row) {
    Texts texts;
    for (int c = 0; c < row.textCount(); ++c)
        texts.emplace_back(row.text(c));
    return texts;
}

// Columns 1.. of a row (column 0 only shows the image).
Texts dataTexts(const LedgerRow& row) {
    const Texts texts = allTexts(row);
    return Texts(texts.begin() + 1, texts.end());
}

TEST(LedgerColumns, EachListHasItsColumnsBehindTheImageColumn) {
    const struct {
        LedgerList list;
        int count;
        int column;
        const char* caption;
        int width;
        ColumnAlign align;
    } cases[] = {
        {LedgerList::Holdings, 14, 1, "证券代码", 60, ColumnAlign::Left},
        {LedgerList::Holdings, 14, 10, "保本价", 48, ColumnAlign::Right},
        {LedgerList::Holdings, 14, 13, "日期", 60, ColumnAlign::Centre},
        {LedgerList::Holdings, 14, 14, "备注", 120, ColumnAlign::Left},
        {LedgerList::Sold, 11, 6, "卖价", 42, ColumnAlign::Right},
        {LedgerList::Sold, 11, 11, "备注", 120, ColumnAlign::Left},
        {LedgerList::Trades, 10, 1, "日期", 60, ColumnAlign::Centre},
        {LedgerList::Trades, 10, 4, "操作", 36, ColumnAlign::Centre},
        {LedgerList::Trades, 10, 10, "盈亏率", 54, ColumnAlign::Right},
        {LedgerList::Funds, 7, 3, "操作", 60, ColumnAlign::Left},
        {LedgerList::Funds, 7, 6, "资金余额", 0, ColumnAlign::Right},  // hidden
        {LedgerList::Funds, 7, 7, "资金使用率", 0, ColumnAlign::Right},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(columnCount(c.list), c.count);
        const std::vector<ColumnInfo>& columns = columnsOf(c.list);
        ASSERT_EQ(columns.size(), static_cast<std::size_t>(c.count) + 1);
        EXPECT_EQ(columns[0].caption, "");
        EXPECT_EQ(columns[0].width, 18);
        EXPECT_EQ(columns[c.column].caption, gbk(c.caption));
        EXPECT_EQ(columns[c.column].width, c.width) << c.caption;
        EXPECT_EQ(columns[c.column].align, c.align) << c.caption;
        EXPECT_EQ(allTexts(makeRow(c.list, std::nullopt)), Texts(columns.size()));
    }
}

// 1000 shares of 600001 bought for 10081.00 (buy price 10.00, break-even 10.17), now at 10.50:
// selling would cost 36.75 + 42.00 + 1.00 + 5.00 = 84.75 and net 10415.25.
TEST_F(LedgerTest, HeldRowShowsValueProfitAndTargets) {
    LedgerRow row = makeRow(LedgerList::Holdings, refAt(7));
    showStockRow(row, held("600001", 1000, 10081000, 10500, 9500, 11000), &account, context);
    EXPECT_EQ(dataTexts(row),
              (Texts{"600001", gbk("浦发银行"), "1000", "10.00", "10081.00", "10.50", "10415.25",
                     "334.25", "3.32%", "10.17", "9.50", "11.00", "24-02-29", ""}));
    EXPECT_EQ(row.image, kImageBetween);
    EXPECT_EQ(row.profitMark, kMarkProfit);
    EXPECT_EQ(row.ref->owner, &account);
    EXPECT_EQ(row.ref->kindState, 0x21);
    EXPECT_EQ(row.ref->slotIndex, 7);
    EXPECT_EQ(row.ref->noteSlot, -1);
}

// Under today's schedule a held row's values suppose a sale: 1000 shares bought for 10000.00,
// now at 10.00, would net 10000 - 10.10 (stamp tax included); break-even is 10.02, where a
// purchase's fee would have given 10.01. The buy price is a purchase's: 9990 + 5.10 fits.
TEST_F(LedgerTest, HeldRowUnderTodaysScheduleSupposesASale) {
    applyCurrentFeeSchedule(settings);
    LedgerRow row = makeRow(LedgerList::Holdings, refAt(7));
    showStockRow(row, held("600001", 1000, 10000000, 10000, 9500, 11000), &account, context);
    EXPECT_EQ(dataTexts(row),
              (Texts{"600001", gbk("浦发银行"), "1000", "9.99", "10000.00", "10.00", "9989.90",
                     "-10.10", "-0.10%", "10.02", "9.50", "11.00", "24-02-29", ""}));

    // The totals net the same sale.
    LedgerLists lists;
    lists.rows(LedgerList::Holdings).push_back(row);
    PortfolioTotals totals;
    TotalsPanel panel;
    refreshTotals(lists, totals, panel, 0, settings);
    EXPECT_EQ(panel.texts[5], "    9989.90");  // 净现值 with no funds: the net value
}

TEST_F(LedgerTest, HeldRowEdgeCases) {
    const struct {
        const char* what;
        StockRecord stock;
        Texts texts;
        int mark;
    } cases[] = {
        // No shares left: no buy price, the cost stays.
        {"no shares",
         held("600001", 0, 10081000, 10500, 9500, 11000),
         {"600001", gbk("浦发银行"), "0", "0.00", "10081.00", "10.50", "0.00", "-10081.00",
          "-100.00%", "0.00", "9.50", "11.00", "24-02-29", ""},
         kMarkLoss},
        // No category: no fees and no derived prices; the profit is exactly 0.
        {"no category",
         held("000001", 1000, 10000000, 10000, 9500, 11000),
         {"000001", "000001", "1000", "0.00", "10000.00", "10.00", "10000.00", "0.00", "0.00%",
          "0.00", "9.50", "11.00", "24-02-29", ""},
         kMarkProfit},
        // Nothing paid: no rate.
        {"no cost",
         held("600001", 1000, 0, 10500, 9500, 11000),
         {"600001", gbk("浦发银行"), "1000", "0.00", "0.00", "10.50", "10415.25", "10415.25",
          "0.00%", "0.00", "9.50", "11.00", "24-02-29", ""},
         kMarkProfit},
    };
    for (const auto& c : cases) {
        LedgerRow row = makeRow(LedgerList::Holdings, refAt(0));
        showStockRow(row, c.stock, &account, context);
        EXPECT_EQ(dataTexts(row), c.texts) << c.what;
        EXPECT_EQ(row.profitMark, c.mark) << c.what;
    }
}

TEST_F(LedgerTest, HeldImageComparesThePriceWithBothTargets) {
    const struct {
        std::int32_t price;
        std::int64_t stopLoss;
        std::int32_t takeProfit;
        int image;
    } cases[] = {
        {9499, 9500, 11000, kImageLoss},        {9500, 9500, 11000, kImageLoss},
        {9501, 9500, 11000, kImageBetween},     {10999, 9500, 11000, kImageBetween},
        {11000, 9500, 11000, kImageProfit},     {12000, 9500, 11000, kImageProfit},
        {10000, 10000, 9000, kImageLoss},        // crossed targets: the stop-loss decides first
        {10000, 5000000000, 11000, kImageLoss},  // a stop-loss beyond 32 bits still compares
    };
    for (const auto& c : cases) {
        LedgerRow row = makeRow(LedgerList::Holdings, refAt(0));
        showStockRow(row, held("000001", 100, 1000000, c.price, c.stopLoss, c.takeProfit), &account,
                     context);
        EXPECT_EQ(row.image, c.image) << c.price << " / " << c.stopLoss << " / " << c.takeProfit;
    }
}

TEST_F(LedgerTest, SoldRowsShowProceedsAndProfit) {
    const struct {
        StockRecord stock;
        Texts texts;
        int imageAndMark;
    } cases[] = {
        // Sold at 10.50 for 10415.25 net: the sale price is found back from the proceeds.
        {sold("600001", 1000, 10081000, 10415250),
         {"600001", gbk("浦发银行"), "1000", "10.00", "10081.00", "10.50", "10415.25", "334.25",
          "3.32%", "24-02-29", ""},
         kImageProfit},
        // 9.08 is the lowest price netting 9000.00 (9.07 nets 8995.97).
        {sold("600001", 1000, 10081000, 9000000),
         {"600001", gbk("浦发银行"), "1000", "10.00", "10081.00", "9.08", "9000.00", "-1081.00",
          "-10.72%", "24-02-29", ""},
         kImageLoss},
        {sold("000001", 500, 5000000, 5000000),
         {"000001", "000001", "500", "0.00", "5000.00", "0.00", "5000.00", "0.00", "0.00%",
          "24-02-29", ""},
         kImageProfit},  // no loss counts as profit
        {sold("000001", 500, 0, 120000),
         {"000001", "000001", "500", "0.00", "0.00", "0.00", "120.00", "120.00", "0.00%",
          "24-02-29", ""},
         kImageProfit},
    };
    for (const auto& c : cases) {
        LedgerRow row = makeRow(LedgerList::Sold, refAt(3));
        showStockRow(row, c.stock, &account, context);
        EXPECT_EQ(dataTexts(row), c.texts) << c.texts[6];
        EXPECT_EQ(row.image, c.imageAndMark);
        EXPECT_EQ(row.profitMark, c.imageAndMark);
        EXPECT_EQ(row.ref->kindState, 0x20);
    }
}

TEST_F(LedgerTest, ExtremeSoldAmountsGiveAFiniteProfit) {
    LedgerRow row = makeRow(LedgerList::Sold, refAt(0));
    showStockRow(row, sold("000001", 1, INT64_MIN, INT64_MAX), &account, context);
    EXPECT_EQ(row.profitMark, kMarkProfit);
    EXPECT_EQ(row.text(sold_column::kProfit),
              "18446744073709552.00");  // (2^64 - 1) milli-yuan, to the nearest double
}

TEST_F(LedgerTest, StockRowsNeedTheirItemRefAndAKnownState) {
    LedgerRow summary = makeRow(LedgerList::Holdings, std::nullopt);
    showStockRow(summary, held("600001", 1000, 10081000, 10500, 9500, 11000), &account, context);
    EXPECT_EQ(allTexts(summary), Texts(15));

    StockRecord odd = held("600001", 1000, 10081000, 10500, 9500, 11000);
    odd.kindState = kindStateOf(SlotKind::Stock, 2);
    LedgerRow row = makeRow(LedgerList::Holdings, refAt(0));
    showStockRow(row, odd, &account, context);
    EXPECT_EQ(allTexts(row), Texts(15));
}

TEST_F(LedgerTest, RefillingAStockRowKeepsItsMemo) {
    LedgerRow row = makeRow(LedgerList::Holdings, refAt(0));
    showStockRow(row, held("600001", 1000, 10081000, 10500, 9500, 11000), &account, context);
    EXPECT_TRUE(showStockNote(row, slot(note(kHeldState, gbk("长线")))));
    showStockRow(row, held("600001", 2000, 20162000, 10500, 9500, 11000), &account, context);
    EXPECT_EQ(row.text(held_column::kShares), "2000");
    EXPECT_EQ(row.text(held_column::kMemo), gbk("长线"));
}

TEST_F(LedgerTest, NotesGoIntoTheMemoColumnOfTheirRow) {
    LedgerRow heldRow = makeRow(LedgerList::Holdings, refAt(0));
    showStockRow(heldRow, held("600001", 1000, 10081000, 10500, 9500, 11000), &account, context);
    LedgerRow soldRow = makeRow(LedgerList::Sold, refAt(2));
    showStockRow(soldRow, sold("600001", 1000, 10081000, 10415250), &account, context);

    // The column follows the row: a note whose state nibble disagrees still lands in its memo.
    EXPECT_TRUE(showStockNote(heldRow, slot(note(kSoldState, gbk("长线持有")))));
    EXPECT_TRUE(showStockNote(soldRow, slot(note(kSoldState, "sold"))));
    EXPECT_EQ(heldRow.text(held_column::kMemo), gbk("长线持有"));
    EXPECT_EQ(soldRow.text(sold_column::kMemo), "sold");

    const Texts before = allTexts(soldRow);
    EXPECT_FALSE(showStockNote(soldRow, slot(trade(kBuy, "600001", 100, 1000, 0))));
    EXPECT_FALSE(showStockNote(soldRow, deleted(slot(note(kSoldState, "gone")))));
    EXPECT_EQ(allTexts(soldRow), before);
}

TEST_F(LedgerTest, TransactionRowsShowTheirCashAndTheProfitOfSales) {
    const struct {
        TradeRecord trade;
        Texts texts;
    } cases[] = {
        {trade(kBuy, "600001", 1000, 10000, 81000),
         {"24-04-01", "600001", gbk("浦发银行"), gbk("买入"), "1000", "10.00", "81.00", "-10081.00",
          "", ""}},
        {trade(kSell, "600001", 1000, 10500, 84750, 10081000),
         {"24-04-01", "600001", gbk("浦发银行"), gbk("卖出"), "1000", "10.50", "84.75", "10415.25",
          "334.25", "3.32%"}},
        {trade(kSell, "600001", 1000, 10500, 84750, 11000000),
         {"24-04-01", "600001", gbk("浦发银行"), gbk("卖出"), "1000", "10.50", "84.75", "10415.25",
          "-584.75", "-5.32%"}},
        // Without a cost basis the whole amount is profit, at no rate.
        {trade(kSell, "000001", 100, 12000, 5000, 0),
         {"24-04-01", "000001", "000001", gbk("卖出"), "100", "12.00", "5.00", "1195.00", "1195.00",
          "0.00%"}},
        {trade(kRightsIssue, "000001", 300, 5500, 5000),
         {"24-04-01", "000001", "000001", gbk("配股"), "300", "5.50", "5.00", "-1655.00", "", ""}},
        {trade(kBonusShares, "000001", 500, 0, 0),
         {"24-04-01", "000001", "000001", gbk("送股"), "500", "0.00", "0.00", "0.00", "", ""}},
        {trade(kDividend, "000001", 0, 0, 120000),
         {"24-04-01", "000001", "000001", gbk("红利"), "0", "0.00", "120.00", "120.00", "", ""}},
        {trade(kSubscription, "000001", 1000, 8000, 5000),
         {"24-04-01", "000001", "000001", gbk("申购"), "1000", "8.00", "5.00", "-8000.00", "", ""}},
        {trade(kSubscriptionWon, "000001", 1000, 8000, 0),
         {"24-04-01", "000001", "000001", gbk("中签"), "1000", "8.00", "0.00", "-8000.00", "", ""}},
        {trade(kSubscriptionNotWon, "000001", 1000, 8000, 0),
         {"24-04-01", "000001", "000001", gbk("不中"), "1000", "8.00", "0.00", "0.00", "", ""}},
        // Halves round away from zero; what rounds to zero has no sign.
        {trade(kBuy, "000001", 1, 10125, 5),
         {"24-04-01", "000001", "000001", gbk("买入"), "1", "10.13", "0.01", "-10.13", "", ""}},
        {trade(kSell, "000001", 0, 0, 4, 0),
         {"24-04-01", "000001", "000001", gbk("卖出"), "0", "0.00", "0.00", "0.00", "0.00",
          "0.00%"}},
    };
    for (const auto& c : cases) {
        LedgerRow row = makeRow(LedgerList::Trades, refAt(4));
        showTradeRow(row, c.trade, &account, context);
        EXPECT_EQ(dataTexts(row), c.texts) << c.trade.type();
        EXPECT_EQ(row.image, kImageFirstTrade + c.trade.type());
        EXPECT_EQ(row.profitMark, kMarkNone);
        EXPECT_EQ(row.ref->owner, &account);
        EXPECT_EQ(row.ref->kindState, c.trade.kindState);
        EXPECT_EQ(row.ref->costBasis, c.trade.costBasis);
    }
}

TEST_F(LedgerTest, ACostBasisBeyondThirtyTwoBitsIsKeptWhole) {
    for (const std::int64_t basis :
         {std::int64_t{5000000000000}, std::int64_t{-3000000000}, INT64_MIN}) {
        LedgerRow row = makeRow(LedgerList::Trades, refAt(0));
        showTradeRow(row, trade(kSell, "600001", 1000, 10500, 84750, basis), &account, context);
        EXPECT_EQ(row.ref->costBasis, basis);
    }
}

TEST_F(LedgerTest, FundRowsShowTheMovementWithItsSign) {
    const struct {
        FundRecord fund;
        Texts texts;
    } cases[] = {
        {fund(kDeposit, gbk("工行"), 10000000, gbk("转入")),
         {"23-12-31", gbk("工行"), gbk("资金存入"), "10000.00", gbk("转入"), "", ""}},
        {fund(kWithdrawal, "ICBC", -2000000, ""),
         {"23-12-31", "ICBC", gbk("资金支取"), "-2000.00", "", "", ""}},
        {fund(kAdjustment, gbk("利息"), -150, "fee"),
         {"23-12-31", gbk("利息"), gbk("资金增损"), "-0.15", "fee", "", ""}},
    };
    for (const auto& c : cases) {
        LedgerRow row = makeRow(LedgerList::Funds, refAt(9));
        showFundRow(row, c.fund, &account);
        EXPECT_EQ(dataTexts(row), c.texts) << c.fund.type();
        EXPECT_EQ(row.image, kImageFirstFund + c.fund.type());
        EXPECT_EQ(row.ref->owner, &account);
        EXPECT_EQ(row.ref->kindState, c.fund.kindState);
    }
}

TEST(RowDates, TwoDigitYearsFrom1981To2080) {
    EXPECT_EQ(dateText(2001, 3, 5), "01-03-05");
    EXPECT_EQ(dateText(1999, 12, 31), "99-12-31");
    for (int year = 1981; year <= 2080; ++year) {
        for (const auto& [month, day] : {std::pair{1, 1}, {2, 29}, {12, 31}}) {
            const std::string text = dateText(year, month, day);
            ASSERT_EQ(text.size(), 8u);
            EXPECT_EQ(dateKey(text), year * 10000 + month * 100 + day) << text;
        }
    }
    EXPECT_EQ(dateText(1980, 6, 1), "80-06-01");
    EXPECT_EQ(dateKey("80-06-01"), 20800601);
}

TEST(RowDates, KeysOfTextsThatAreNoDates) {
    const struct {
        const char* text;
        std::int32_t key;
    } cases[] = {
        {"81-01-01", 19810101},
        {"00-00-00", 20000000},
        {"24-1x-05", 20241},  // the number ends at the first character that is no digit
        {"ab-cd-ef", 20},
        {"", 20},
        {"2", 202},
        {"99-12-3", 1999123},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateKey(c.text), c.key) << '"' << c.text << '"';
}

LedgerRow datedRow(const std::string& date, std::int32_t slotIndex) {
    LedgerRow row = makeRow(LedgerList::Funds, refAt(slotIndex));
    row.setText(1, date);
    return row;
}

TEST(RowDates, NewestFirstAcrossTheCentury) {
    const LedgerRow y2000 = datedRow("00-12-31", 0);
    const LedgerRow y2001 = datedRow("01-01-01", 1);
    const LedgerRow y1999 = datedRow("99-12-31", 2);
    EXPECT_GT(compareRowDates(y2000, y2001), 0);
    EXPECT_LT(compareRowDates(y2001, y2000), 0);
    EXPECT_LT(compareRowDates(y2000, y1999), 0);
    EXPECT_EQ(compareRowDates(y2000, datedRow("00-12-31", 5)), 0);

    std::vector<LedgerRow> rows{y1999, y2000, y2001};
    sortByDate(rows);
    EXPECT_EQ(slotsOf(rows), (std::vector<std::int32_t>{1, 0, 2}));
}

TEST(RowDates, SortingKeepsEqualDatesInTheirOrder) {
    // Dates from a few days, some texts no date at all, in a scrambled order.
    const std::vector<std::string> dates = {"24-04-01", "99-12-31", "00-12-31", "01-01-01",
                                            "24-04-01", "80-01-01", "81-01-01", "",
                                            "x",        "24-4-1"};
    std::vector<LedgerRow> rows;
    for (std::int32_t i = 0; i < 300; ++i)
        rows.push_back(datedRow(dates[static_cast<std::size_t>(i * 7 % 10)], i));

    std::vector<LedgerRow> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [](const LedgerRow& a, const LedgerRow& b) {
        return compareRowDates(a, b) < 0;
    });
    sortByDate(rows);
    EXPECT_EQ(slotsOf(rows), slotsOf(expected));
    EXPECT_EQ(rows.front().text(kMovementDateColumn), "80-01-01");  // 2080
    EXPECT_EQ(rows.back().text(kMovementDateColumn), "x");          // key 20
}

// One account as the file would hold it, slot by slot.
std::vector<LedgerRecord> accountSlots() {
    StockRecord strayState = held("600009", 1, 1000, 1000, 0, 0);
    strayState.kindState = kindStateOf(SlotKind::Stock, 3);
    LedgerRecord unknownKind = slot(trade(kBuy, "600010", 1, 1000, 0));
    unknownKind.bytes[0] = kindStateOf(static_cast<SlotKind>(3), 1);
    return {
        slot(held("600001", 1000, 10081000, 10500, 9500, 11000)),         // 0
        slot(note(kHeldState, gbk("长线"))),                              // 1: its note
        slot(trade(kBuy, "600001", 1000, 10000, 81000)),                  // 2
        slot(testing::deposit(20000000)),                                 // 3
        slot(sold("600002", 500, 5000000, 5500000)),                      // 4: no note follows
        slot(trade(kSell, "600002", 500, 11000, 0, 5000000)),             // 5
        slot(note(kSoldState, "stray")),                                  // 6: belongs to nothing
        deleted(slot(trade(kBuy, "600003", 1, 1000, 0))),                 // 7
        unknownKind,                                                      // 8
        slot(strayState),                                                 // 9: no row
        slot(note(kHeldState, "after nothing")),                          // 10: stray as well
        slot(held("600004", 100, 1000000, 10000, 9000, 11000)),           // 11
        slot(note(kSoldState, "mismatch")),                               // 12: still its note
        slot(fund(kAdjustment, "adj", -150000, "")),                      // 13
        deleted(slot(held("600005", 100, 1000000, 10000, 9000, 11000))),  // 14
        slot(held("600006", 100, 1000000, 10000, 9000, 11000)),           // 15: last, no note
    };
}

TEST_F(LedgerTest, AnAccountLoadsAsItsRowsWouldBeInsertedOneByOne) {
    LedgerLists lists;
    lists.addSummaryRows();
    PortfolioTotals totals;
    lists.addAccount(&account, accountSlots(), context, totals);

    const auto& holdings = lists.rows(LedgerList::Holdings);
    EXPECT_EQ(slotsOf(holdings), (std::vector<std::int32_t>{-1, 15, 11, 0}));
    EXPECT_EQ(holdings[1].ref->noteSlot, -1);
    EXPECT_EQ(holdings[2].ref->noteSlot, 12);
    EXPECT_EQ(holdings[2].text(held_column::kMemo), "mismatch");
    EXPECT_EQ(holdings[3].ref->noteSlot, 1);
    EXPECT_EQ(holdings[3].text(held_column::kMemo), gbk("长线"));
    EXPECT_EQ(holdings[3].text(held_column::kValue), "10415.25");

    const auto& sold = lists.rows(LedgerList::Sold);
    EXPECT_EQ(slotsOf(sold), (std::vector<std::int32_t>{-1, 4}));
    EXPECT_EQ(sold[1].ref->noteSlot, -1);
    EXPECT_EQ(sold[1].text(sold_column::kMemo), "");

    EXPECT_EQ(slotsOf(lists.rows(LedgerList::Trades)), (std::vector<std::int32_t>{5, 2}));
    EXPECT_EQ(slotsOf(lists.rows(LedgerList::Funds)), (std::vector<std::int32_t>{13, 3}));
    for (LedgerList list :
         {LedgerList::Holdings, LedgerList::Sold, LedgerList::Trades, LedgerList::Funds}) {
        for (const LedgerRow& row : lists.rows(list)) {
            if (row.ref) {
                EXPECT_EQ(row.ref->owner, &account);
            }
        }
    }

    // -10081.00 for the buy, +5500.00 for the sale; 20000.00 in, 150.00 adjusted away.
    EXPECT_EQ(fixed2(static_cast<double>(totals.tradeCashTotal)), "-4581.00");
    EXPECT_EQ(fixed2(static_cast<double>(totals.fundTotal)), "20000.00");
    EXPECT_EQ(fixed2(static_cast<double>(totals.adjustTotal)), "-150.00");
}

// Where each row of `lists` would stand had every row been inserted alone, in the accounts'
// order: positions at index 1 (the end of a shorter list), the others at index 0.
std::vector<std::pair<AccountNode*, std::int32_t>> insertedOneByOne(
    const std::vector<LedgerRow>& loaded, const std::vector<AccountNode*>& accounts,
    std::size_t position) {
    std::vector<std::pair<AccountNode*, std::int32_t>> list;
    for (const LedgerRow& row : loaded) {
        if (row.isSummary())
            list.emplace_back(nullptr, -1);
    }
    for (AccountNode* account : accounts) {
        for (std::int32_t slot = 0; slot < 1000; ++slot) {
            const bool loadedRow = std::any_of(loaded.begin(), loaded.end(), [&](const auto& r) {
                return r.ref && r.ref->owner == account && r.ref->slotIndex == slot;
            });
            if (loadedRow)
                list.insert(
                    list.begin() + static_cast<std::ptrdiff_t>(std::min(position, list.size())),
                    {account, slot});
        }
    }
    return list;
}

TEST_F(LedgerTest, RowsStandWhereInsertingThemOneByOneWouldPutThem) {
    // Three accounts of every kind of slot, in a pattern that repeats irregularly.
    const LedgerRecord kinds[] = {
        slot(held("600001", 100, 1000000, 10000, 9000, 11000)),
        slot(note(kHeldState, "n")),
        slot(trade(kBuy, "600001", 100, 10000, 5000)),
        slot(testing::deposit(1000)),
        slot(sold("600002", 100, 1000000, 900000)),
        deleted(slot(trade(kBuy, "600001", 100, 10000, 5000))),
    };
    std::vector<std::vector<LedgerRecord>> accounts(3);
    for (std::size_t a = 0; a < accounts.size(); ++a) {
        for (std::size_t i = 0; i < 40 + 13 * a; ++i)
            accounts[a].push_back(kinds[(i * (a + 2) + i / 5) % std::size(kinds)]);
    }
    AccountNode nodes[3];
    const std::vector<AccountNode*> owners = {&nodes[0], &nodes[1], &nodes[2]};
    for (const bool withSummary : {true, false}) {
        LedgerLists lists;
        if (withSummary)
            lists.addSummaryRows();
        PortfolioTotals totals;
        for (std::size_t a = 0; a < accounts.size(); ++a)
            lists.addAccount(owners[a], accounts[a], context, totals);
        for (LedgerList list :
             {LedgerList::Holdings, LedgerList::Sold, LedgerList::Trades, LedgerList::Funds}) {
            const auto& rows = lists.rows(list);
            std::vector<std::pair<AccountNode*, std::int32_t>> actual;
            for (const LedgerRow& row : rows)
                actual.emplace_back(row.ref ? row.ref->owner : nullptr,
                                    row.ref ? row.ref->slotIndex : -1);
            const bool positions = list == LedgerList::Holdings || list == LedgerList::Sold;
            EXPECT_GT(rows.size(), 10u);
            EXPECT_EQ(actual, insertedOneByOne(rows, owners, positions ? 1 : 0))
                << static_cast<int>(list) << (withSummary ? " with" : " without")
                << " summary rows";
        }
    }
}

TEST(RowMoney, QuickTextsMatchTheGeneralFormat) {
    const double values[] = {0.0,    -0.0,    0.004, -0.004,       0.005,       -0.005,
                             10.125, -10.125, 2.675, 1e15 + 0.125, -1e15 - 0.5, 9.99999e16,
                             1e17,   -1e17,   1e300, INFINITY,     -INFINITY,   NAN};
    for (const double v : values) {
        EXPECT_EQ(rows::money(v), fixed2(v)) << v;
        EXPECT_EQ(rows::rate(v), percent2(v)) << v;
    }
}

TEST_F(LedgerTest, AGroupShowsTheAccountAddedLaterOnTop) {
    const std::vector<LedgerRecord> first = {
        slot(held("600001", 1000, 10081000, 10500, 9500, 11000)),
        slot(trade(kBuy, "600001", 1000, 10000, 81000)),
        slot(testing::deposit(20000000)),
    };
    const std::vector<LedgerRecord> second = {
        slot(testing::deposit(5000000)),
        slot(held("600002", 100, 1000000, 10000, 9000, 11000)),
        slot(note(kHeldState, "")),
        slot(trade(kBuy, "600002", 100, 10000, 0)),
        slot(sold("600003", 100, 1000000, 900000)),
    };
    LedgerLists lists;
    lists.addSummaryRows();
    PortfolioTotals totals;
    lists.addAccount(&account, first, context, totals);
    lists.addAccount(&otherAccount, second, context, totals);

    struct Expected {
        LedgerList list;
        std::vector<std::int32_t> slots;
        std::vector<AccountNode*> owners;
    };
    const Expected expected[] = {
        {LedgerList::Holdings, {-1, 1, 0}, {nullptr, &otherAccount, &account}},
        {LedgerList::Sold, {-1, 4}, {nullptr, &otherAccount}},
        {LedgerList::Trades, {3, 1}, {&otherAccount, &account}},
        {LedgerList::Funds, {0, 2}, {&otherAccount, &account}},
    };
    for (const Expected& e : expected) {
        const auto& rows = lists.rows(e.list);
        EXPECT_EQ(slotsOf(rows), e.slots);
        std::vector<AccountNode*> owners;
        for (const LedgerRow& row : rows)
            owners.push_back(row.ref ? row.ref->owner : nullptr);
        EXPECT_EQ(owners, e.owners);
    }
    EXPECT_EQ(fixed2(static_cast<double>(totals.fundTotal)), "25000.00");
    EXPECT_EQ(fixed2(static_cast<double>(totals.tradeCashTotal)), "-11081.00");
}

TEST_F(LedgerTest, WithoutSummaryRowsTheFirstPositionStaysOnTop) {
    // Inserting at position 1 of an empty list puts a row at its end, like a list view does.
    std::vector<LedgerRecord> slots;
    for (const char* code : {"600001", "600002", "600003"})
        slots.push_back(slot(held(code, 100, 1000000, 10000, 9000, 11000)));
    LedgerLists lists;
    PortfolioTotals totals;
    lists.addAccount(&account, slots, context, totals);
    EXPECT_EQ(slotsOf(lists.rows(LedgerList::Holdings)), (std::vector<std::int32_t>{0, 2, 1}));
    EXPECT_TRUE(lists.rows(LedgerList::Sold).empty());
}

TEST_F(LedgerTest, ListsSortTransactionsAndMovementsNewestFirst) {
    const std::vector<LedgerRecord> slots = {
        slot(testing::dated(trade(kBuy, "600001", 100, 10000, 0), 2001, 1, 1)),
        slot(testing::dated(trade(kBuy, "600001", 100, 10000, 0), 2000, 12, 31)),
        slot(testing::dated(trade(kSell, "600001", 100, 10000, 0), 2024, 4, 1)),
        slot(testing::dated(trade(kBuy, "600001", 100, 10000, 0), 2001, 1, 1)),
        slot(testing::dated(testing::deposit(1000000), 1999, 12, 31)),
        slot(testing::deposit(1000000)),
    };
    LedgerLists lists;
    lists.addSummaryRows();
    PortfolioTotals totals;
    lists.addAccount(&account, slots, context, totals);
    lists.sortByDate();
    // Equal dates keep the order they were loaded in: the later slot stood on top.
    EXPECT_EQ(slotsOf(lists.rows(LedgerList::Trades)), (std::vector<std::int32_t>{2, 3, 0, 1}));
    EXPECT_EQ(slotsOf(lists.rows(LedgerList::Funds)), (std::vector<std::int32_t>{5, 4}));
    EXPECT_EQ(slotsOf(lists.rows(LedgerList::Holdings)), (std::vector<std::int32_t>{-1}));

    lists.clear();
    for (LedgerList list :
         {LedgerList::Holdings, LedgerList::Sold, LedgerList::Trades, LedgerList::Funds})
        EXPECT_TRUE(lists.rows(list).empty());
}

TEST_F(LedgerTest, SelectingAStockRowFocusesItsAccountAndCode) {
    LedgerLists lists;
    lists.addSummaryRows();
    PortfolioTotals totals;
    lists.addAccount(&account, {slot(held("600001", 1000, 10081000, 10500, 9500, 11000))}, context,
                     totals);
    const auto& rows = lists.rows(LedgerList::Holdings);
    EXPECT_EQ(rows[0].text(held_column::kCode), gbk("统计"));
    EXPECT_EQ(rows[0].text(held_column::kName), gbk("持有股票"));
    EXPECT_EQ(rows[0].image, kImageSummary);
    EXPECT_EQ(lists.rows(LedgerList::Sold)[0].text(sold_column::kName), gbk("已卖股票"));

    LedgerFocus focus{&otherAccount, "600009"};
    selectStockRow(rows, 1, focus);
    EXPECT_EQ(focus.highlightCode, "600001");
    EXPECT_EQ(focus.currentAccount, &account);

    const struct {
        std::optional<int> selected;
    } clearing[] = {{0}, {std::nullopt}, {5}, {-1}};  // summary row, none, out of range
    for (const auto& c : clearing) {
        LedgerFocus f{&otherAccount, "600001"};
        selectStockRow(rows, c.selected, f);
        EXPECT_EQ(f.highlightCode, "");
        EXPECT_EQ(f.currentAccount, &otherAccount);  // left as it was
    }
}

TEST_F(LedgerTest, TextColours) {
    LedgerRow profit = makeRow(LedgerList::Holdings, refAt(0, &account));
    showStockRow(profit, held("000001", 1000, 10000000, 10000, 9500, 11000), &account, context);
    LedgerRow loss = makeRow(LedgerList::Sold, refAt(1, &account));
    showStockRow(loss, sold("000001", 1000, 10000000, 9999999), &account, context);
    LedgerLists lists;
    lists.addSummaryRows();
    const LedgerRow& summary = lists.rows(LedgerList::Holdings)[0];
    LedgerRow deal = makeRow(LedgerList::Trades, refAt(2));
    showTradeRow(deal, trade(kBuy, "600001", 100, 10000, 0), &account, context);
    LedgerRow movement = makeRow(LedgerList::Funds, refAt(3));
    showFundRow(movement, testing::deposit(100), &account);

    const LedgerFocus focused{&account, "600001"};
    const struct {
        LedgerList list;
        const LedgerRow& row;
        LedgerFocus focus;
        TextColour colour;
    } cases[] = {
        {LedgerList::Holdings, profit, focused, TextColour::Red},  // profit exactly 0
        {LedgerList::Sold, loss, focused, TextColour::Green},
        {LedgerList::Holdings, summary, focused, TextColour::ButtonText},
        {LedgerList::Trades, deal, focused, TextColour::Red},
        {LedgerList::Trades, deal, {&otherAccount, "600001"}, TextColour::Default},
        {LedgerList::Trades, deal, {&account, "600002"}, TextColour::Default},
        {LedgerList::Trades, deal, {&account, ""}, TextColour::Default},
        {LedgerList::Funds, movement, focused, TextColour::Default},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textColourOf(c.list, c.row, c.focus), c.colour)
            << static_cast<int>(c.list) << " " << c.focus.highlightCode;
}

}  // namespace
}  // namespace tallivan

namespace tallivan {
namespace {

TEST(LedgerRowTexts, EachColumnKeepsItsOwnTextWhenAnotherChanges) {
    LedgerRow row = makeRow(LedgerList::Trades, std::nullopt);
    ASSERT_EQ(row.textCount(), 11);
    for (int c = 1; c < row.textCount(); ++c)
        row.setText(c, std::string(static_cast<std::size_t>(c), static_cast<char>('a' + c)));
    row.setText(5, "a much longer fifth text");  // grows in the middle
    row.setText(2, "");                          // shrinks to nothing
    row.setText(11, "no such column");           // ignored
    row.setText(-1, "no such column");
    EXPECT_EQ(row.text(1), "b");
    EXPECT_EQ(row.text(2), "");
    EXPECT_EQ(row.text(3), "ddd");
    EXPECT_EQ(row.text(5), "a much longer fifth text");
    EXPECT_EQ(row.text(10), "kkkkkkkkkk");
    EXPECT_EQ(row.text(11), "");

    row.resizeTexts(4);  // keeps the first four
    EXPECT_EQ(row.textCount(), 4);
    EXPECT_EQ(row.text(3), "ddd");
    EXPECT_EQ(row.text(5), "");
    row.resizeTexts(8);  // new columns are empty
    EXPECT_EQ(row.text(3), "ddd");
    EXPECT_EQ(row.text(7), "");
    row.setText(7, "g");
    EXPECT_EQ(row.text(7), "g");
    EXPECT_EQ(row.text(6), "");
}

}  // namespace
}  // namespace tallivan
