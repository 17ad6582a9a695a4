#include "ledger/portfolio_totals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gbk.h"
#include "ledger/cash_amount.h"
#include "ledger_test_support.h"

namespace tallivan {
namespace {

using Panel = std::array<std::string, kPanelFieldCount>;
using testing::deposit;
using testing::fund;
using testing::held;
using testing::LedgerTest;
using testing::slot;
using testing::sold;
using testing::trade;

class TotalsTest : public LedgerTest {
  protected:
    // Opens `slots` as one account the way the tree does: clear, summary rows, rows, sort,
    // refresh.
    void open(const std::vector<LedgerRecord>& slots) {
        lists.clear();
        totals.clear();
        lists.addSummaryRows();
        lists.addAccount(&account, slots, context, totals);
        lists.sortByDate();
        refreshTotals(lists, totals, panel, 0, settings);
    }

    // Columns 3, 5, 7, 8 and 9 of a summary row.
    std::vector<std::string> summaryOf(LedgerList list) const {
        const LedgerRow& row = lists.rows(list).front();
        EXPECT_TRUE(row.isSummary());
        std::vector<std::string> texts;
        for (int column : {3, 5, 7, 8, 9})
            texts.emplace_back(row.text(column));
        return texts;
    }

    LedgerLists lists;
    PortfolioTotals totals;
    TotalsPanel panel;
};

TEST(TotalsPanel, StartsAtZeroWithCaptionsInPanelOrder) {
    const TotalsPanel panel;
    for (const std::string& text : panel.texts)
        EXPECT_EQ(text, "       0.00");
    EXPECT_EQ(panelCaptions().front(), gbk("资金总额"));
    EXPECT_EQ(panelCaptions()[3], gbk("持仓金额"));
    EXPECT_EQ(panelCaptions().back(), gbk("投资率"));
    EXPECT_STREQ(panelControlNames().front(), "txtZjze");
    EXPECT_STREQ(panelControlNames()[4], "txtZjye");
    EXPECT_STREQ(panelControlNames().back(), "txtTzl");
}

TEST_F(TotalsTest, EmptyListsShowZeroEverywhere) {
    open({});
    EXPECT_EQ(panel.texts,
              (Panel{"       0.00", "       0.00", "       0.00", "       0.00", "       0.00",
                     "       0.00", "       0.00", "      0.00%", "      0.00%"}));
    const std::vector<std::string> zero = {"0", "0.00", "0.00", "0.00", "0.00%"};
    EXPECT_EQ(summaryOf(LedgerList::Holdings), zero);
    EXPECT_EQ(summaryOf(LedgerList::Sold), zero);
}

TEST_F(TotalsTest, ADepositAlone) {
    open({slot(deposit(10000000))});
    EXPECT_EQ(panel.texts,
              (Panel{"   10000.00", "       0.00", "   10000.00", "       0.00", "   10000.00",
                     "   10000.00", "       0.00", "      0.00%", "      0.00%"}));
}

// After a deposit of 10000.00: 1000 shares of 600001 bought at 10.00 with 15.00 of fees, still
// at 10.00. Selling them would cost 81.00, so they are worth 9919.00 net.
const Panel kAfterPurchase = {"   10000.00", "       0.00", "   10000.00",
                              "   10015.00", "     -15.00", "    9904.00",
                              "     -96.00", "     -0.96%", "    100.15%"};
const std::vector<std::string> kHoldingAfterPurchase = {"1", "10015.00", "9919.00", "-96.00",
                                                        "-0.96%"};

TEST_F(TotalsTest, ADepositThenAPurchase) {
    open({slot(deposit(10000000)), slot(trade(kBuy, "600001", 1000, 10000, 15000)),
          slot(held("600001", 1000, 10015000, 10000, 9500, 11000))});
    EXPECT_EQ(panel.texts, kAfterPurchase);
    EXPECT_EQ(summaryOf(LedgerList::Holdings), kHoldingAfterPurchase);
}

TEST_F(TotalsTest, ARecordedPurchaseHandsItsCashAmountToTheRefresh) {
    open({slot(deposit(10000000))});
    // What the buy command does after adding the rows: refresh with the purchase's cash.
    const TradeRecord buy = trade(kBuy, "600001", 1000, 10000, 15000);
    LedgerRow row = makeRow(LedgerList::Holdings, testing::refAt(2));
    showStockRow(row, held("600001", 1000, 10015000, 10000, 9500, 11000), &account, context);
    auto& holdings = lists.rows(LedgerList::Holdings);
    holdings.insert(holdings.begin() + 1, row);
    refreshTotals(lists, totals, panel, cashAmount(buy), settings);
    EXPECT_EQ(panel.texts, kAfterPurchase);
    EXPECT_EQ(summaryOf(LedgerList::Holdings), kHoldingAfterPurchase);

    refreshTotals(lists, totals, panel, 0, settings);  // a plain refresh changes nothing
    EXPECT_EQ(panel.texts, kAfterPurchase);
}

TEST_F(TotalsTest, ANegativeAdjustmentLeavesTotalFundsAlone) {
    open({slot(deposit(10000000)), slot(fund(kAdjustment, "adj", -150000, ""))});
    EXPECT_EQ(panel.texts,
              (Panel{"   10000.00", "    -150.00", "    9850.00", "       0.00", "    9850.00",
                     "    9850.00", "    -150.00", "     -1.50%", "      0.00%"}));
}

TEST_F(TotalsTest, WithoutFundsTheRatesStayZero) {
    // A dividend and a held position with profit, but no deposit.
    open({slot(trade(kDividend, "000001", 0, 0, 120000)),
          slot(held("000001", 1000, 5000000, 10000, 9000, 11000))});
    EXPECT_EQ(panel.texts,
              (Panel{"       0.00", "       0.00", "       0.00", "    5000.00", "     120.00",
                     "   10120.00", "   10120.00", "      0.00%", "      0.00%"}));
    EXPECT_EQ(summaryOf(LedgerList::Holdings),
              (std::vector<std::string>{"1", "5000.00", "10000.00", "5000.00", "100.00%"}));
}

TEST_F(TotalsTest, SoldPositionsSumTheirCostAndProceeds) {
    open({slot(sold("600001", 1000, 10081000, 10415250)),
          slot(sold("000001", 500, 5000000, 4000000))});
    // 14415.25 - 15081.00 = -665.75, -4.41 % of the cost. The panel does not count them.
    EXPECT_EQ(summaryOf(LedgerList::Sold),
              (std::vector<std::string>{"2", "15081.00", "14415.25", "-665.75", "-4.41%"}));
    EXPECT_EQ(panel.texts[3], "       0.00");
}

TEST_F(TotalsTest, TheHoldingsAreValuedAtTheDisplayedPrice) {
    // The current price 10.005 shows as 10.01: the value is that of 1000 shares at 10.01 less
    // the fee there (35.04 + 40.04 + 1.00 + 5.00), not the 总现价 text at 10.005.
    open({slot(held("600001", 1000, 10081000, 10005, 9500, 11000))});
    const LedgerRow& row = lists.rows(LedgerList::Holdings)[1];
    EXPECT_EQ(row.text(held_column::kCurrentPrice), "10.01");
    EXPECT_EQ(row.text(held_column::kValue), "9923.96");
    EXPECT_EQ(lists.rows(LedgerList::Holdings)[0].text(held_column::kValue), "9928.92");
}

TEST_F(TotalsTest, ValuesBeyondElevenCharactersAreShownWhole) {
    const struct {
        std::int32_t amount;  // milli-yuan
        const char* text;
    } cases[] = {
        {2000000000, " 2000000.00"},
        {-2000000000, "-2000000.00"},
    };
    for (const auto& c : cases) {
        open({slot(deposit(c.amount))});
        EXPECT_EQ(panel.texts[0], c.text);
    }
    totals.fundTotal = 123456789.0L;
    totals.adjustTotal = -12345678.0L;
    refreshTotals(lists, totals, panel, 0, settings);
    EXPECT_EQ(panel.texts[0], "123456789.00");
    EXPECT_EQ(panel.texts[1], "-12345678.00");
    EXPECT_EQ(panel.texts[2], "111111111.00");
    EXPECT_EQ(panel.texts[6], "-12345678.00");
    EXPECT_EQ(panel.texts[7], "    -10.00%");
}

}  // namespace
}  // namespace tallivan
