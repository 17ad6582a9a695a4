// The dividend tax ahead: the rate by how long shares were held, and the lots sales take from
// and dividends are shared among.
#include <gtest/gtest.h>

#include "base/numbers.h"
#include "report/dividend_tax.h"
#include "support/sample_records.h"

namespace tallivan {
namespace {

TEST(DividendTax, TheRateGoesByCalendarMonthsAndYears) {
    const struct {
        Date acquired, sold;
        int rate;
    } cases[] = {
        {{2025, 3, 5}, {2025, 3, 5}, 20},     // sold the day it came
        {{2025, 3, 5}, {2025, 4, 5}, 20},     // one month to the day
        {{2025, 3, 5}, {2025, 4, 6}, 10},     // a day more
        {{2025, 1, 31}, {2025, 2, 28}, 20},   // a month from the 31st ends on the last day
        {{2025, 1, 31}, {2025, 3, 1}, 10},    //
        {{2024, 1, 31}, {2024, 2, 29}, 20},   // in a leap year the 29th
        {{2024, 3, 5}, {2025, 3, 5}, 10},     // a year to the day
        {{2024, 3, 5}, {2025, 3, 6}, 0},      // a day more
        {{2024, 2, 29}, {2025, 2, 28}, 10},   // a year from a leap day ends on the 28th
        {{2024, 2, 29}, {2025, 3, 1}, 0},     //
        {{2024, 12, 15}, {2025, 1, 15}, 20},  // across the turn of the year
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dividendTaxRate(c.acquired, c.sold), c.rate)
            << isoDate(c.acquired) << " to " << isoDate(c.sold);
    }
}

DatedTrade on(std::int32_t date, TradeRecord trade, const AccountNode* owner = nullptr) {
    trade.year = static_cast<std::uint16_t>(date / 10000);
    trade.month = static_cast<std::uint8_t>(date / 100 % 100);
    trade.day = static_cast<std::uint8_t>(date % 100);
    return {trade, owner, date, 0};
}

TradeRecord of(int type, std::int32_t shares, std::int32_t dividend = 0) {
    return testing::trade(type, "600001", shares, type == kDividend ? 0 : 10000,
                          type == kDividend ? dividend : 5000);
}

TEST(DividendTax, APartialSaleTakesTheOldestLotsAndTheirShareOfTheDividends) {
    NodeHistory history;
    history.trades = {
        on(20250101, of(kBuy, 1000)), on(20250220, of(kBuy, 1000)),
        on(20250301, of(kDividend, 0, 200000)),  // 100.00 to each lot
        on(20250305, of(kSell, 1500)),           // the first lot, and half the second
    };
    // Left: 500 shares of 2025-02-20 with 50.00 of dividends, held at most a month.
    DividendTaxAhead ahead = dividendTaxAhead(history, {2025, 3, 10});
    ASSERT_EQ(ahead.holdings.size(), 1u);
    EXPECT_EQ(ahead.holdings[0].code, "600001");
    EXPECT_EQ(ahead.holdings[0].shares, 500);
    EXPECT_EQ(milliText(ahead.holdings[0].tax), "10.00");
    EXPECT_EQ(milliText(ahead.total), "10.00");
    // A month later the rate is 10 %; a year later nothing is owed.
    EXPECT_EQ(milliText(dividendTaxAhead(history, {2025, 4, 10}).total), "5.00");
    EXPECT_EQ(milliText(dividendTaxAhead(history, {2026, 2, 21}).total), "0.00");

    // Everything sold: no holding is left.
    history.trades.push_back(on(20250306, of(kSell, 500)));
    ahead = dividendTaxAhead(history, {2025, 3, 10});
    EXPECT_TRUE(ahead.holdings.empty());
    EXPECT_EQ(ahead.total, 0);
}

TEST(DividendTax, EachKindOfIncomingSharesIsALotAndDividendsGoByShares) {
    NodeHistory history;
    history.trades = {
        on(20240102, of(kBuy, 300)),
        on(20240601, of(kRightsIssue, 100)),
        on(20241201, of(kBonusShares, 400)),
        on(20250110, of(kSubscriptionWon, 200)),
        on(20250115, of(kSubscription, 5000)),   // not allotted yet: no lot
        on(20250120, of(kDividend, 0, 100000)),  // 30, 10, 40 and 20
        on(20250121, of(kDividend, 0, -10000)),  // tax booked back: -3, -1, -4, -2
    };
    // On 2025-01-31: the buy is over a year old (0), the rights issue (10 % of 9.00) and the
    // bonus (10 % of 36.00) at most a year, the allotment at most a month (20 % of 18.00).
    const DividendTaxAhead ahead = dividendTaxAhead(history, {2025, 1, 31});
    ASSERT_EQ(ahead.holdings.size(), 1u);
    EXPECT_EQ(ahead.holdings[0].shares, 1000);
    EXPECT_EQ(milliText(ahead.total), "8.10");
}

TEST(DividendTax, EachAccountHasItsOwnLots) {
    const AccountNode one, two;
    NodeHistory history;
    history.trades = {
        on(20240102, of(kBuy, 1000), &one), on(20250301, of(kBuy, 1000), &two),
        on(20250305, of(kDividend, 0, 100000), &two),  // all to account two's 1000
        on(20250306, of(kSell, 1000), &one),           // sells account one's lot only
    };
    const DividendTaxAhead ahead = dividendTaxAhead(history, {2025, 3, 10});
    ASSERT_EQ(ahead.holdings.size(), 1u);
    EXPECT_EQ(ahead.holdings[0].shares, 1000);
    EXPECT_EQ(milliText(ahead.total), "20.00");
}

TEST(DividendTax, HoldingsAreListedByCode) {
    NodeHistory history;
    for (const char* code : {"600002", "0001", "600001"})
        history.trades.push_back(on(20250101, testing::trade(kBuy, code, 100, 10000, 5000)));
    const DividendTaxAhead ahead = dividendTaxAhead(history, {2025, 3, 10});
    ASSERT_EQ(ahead.holdings.size(), 3u);
    EXPECT_EQ(ahead.holdings[0].code, "0001");
    EXPECT_EQ(ahead.holdings[1].code, "600001");
    EXPECT_EQ(ahead.holdings[2].code, "600002");
}

}  // namespace
}  // namespace tallivan
