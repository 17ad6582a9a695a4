#include "ledger/fees.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/numbers.h"
#include "ledger/fee_schedule.h"

namespace tallivan {
namespace {

const CategoryTable& defaults() {
    static const Settings s = defaultSettings();
    return s.categories;
}

Settings todaysSettings() {
    Settings s = defaultSettings();
    applyCurrentFeeSchedule(s);
    return s;
}

TEST(Fees, WorkedTradesWithTheDefaultTable) {
    const struct {
        std::int32_t shares;
        double price;
        int category;
        double fee;
    } cases[] = {
        {1000, 10.00, 0, 81.00},   // 35 + 40 + 1 + 5
        {100, 8.50, 0, 19.40},     // commission 2.975 raised to 10, transfer raised to 1
        {2500, 7.77, 0, 152.69},   // 67.99 + 77.70 + 2 + 5
        {1500, 12.34, 1, 143.83},  // 64.79 (the 0.0051 threshold) + 74.04 + 0 + 5
        {999, 10.00, 0, 34.97 + 39.96 + 1.00 + 5.00},   // no whole thousand: the minimum 1
        {1999, 10.00, 0, 69.97 + 79.96 + 1.00 + 5.00},  // one thousand: 1.00
        {1000, 10.00, -1, 0.0},                         // no category
        {0, 10.00, 0, 0.0},
        {1000, 0.0, 0, 0.0},
        {1000, 10.00, 2, 5.0},   // a default "unknown" row charges the order fee only
        {1000, 10.00, 20, 0.0},  // no such row
    };
    // Rows without fee rules charge a purchase and a sale alike.
    for (const TradeSide side : {TradeSide::Buy, TradeSide::Sell}) {
        for (const auto& c : cases) {
            EXPECT_NEAR(tradeFee(defaults(), c.shares, c.category, c.price, side), c.fee, 1e-9)
                << c.shares << " at " << c.price << " row " << c.category;
        }
    }
}

TEST(Fees, MinimumCommissionIsAppliedBeforeRounding) {
    Settings s = defaultSettings();
    StockCategory& row = s.categories[3];
    row.commissionRate = 0.1;
    row.minCommission = 10.0;
    row.orderFee = 0;
    // 9995 * 0.1 % = 9.995, below the minimum: raised to 10.00 (not rounded to 10.00 first).
    EXPECT_DOUBLE_EQ(tradeFee(s.categories, 1, 3, 9995.0, TradeSide::Buy), 10.0);
    // 10004 * 0.1 % = 10.004 stays above the minimum and rounds to 10.00.
    EXPECT_DOUBLE_EQ(tradeFee(s.categories, 1, 3, 10004.0, TradeSide::Buy), 10.0);
    // The transfer minimum is applied after rounding and is not rounded itself.
    row.commissionRate = 0;
    row.minCommission = 0;
    row.transferFee = 0.333;
    row.minTransferFee = 0.337;
    EXPECT_DOUBLE_EQ(tradeFee(s.categories, 1000, 3, 1.0, TradeSide::Buy), 0.337);
}

TEST(Fees, PriceSearchesOfTheWorkedPurchase) {
    // 1000 shares of row 0 bought for 10081.00 in total.
    EXPECT_EQ(fixed2(buyPriceForTotal(defaults(), 1000, 0, 10081.00)), "10.00");
    EXPECT_EQ(fixed2(sellPriceForNet(defaults(), 1000, 0, 10081.00, 0)), "10.17");
    EXPECT_EQ(fixed2(sellPriceForNet(defaults(), 1000, 0, 10081.00, -500)), "9.66");
    EXPECT_EQ(fixed2(sellPriceForNet(defaults(), 1000, 0, 10081.00, 1000)), "11.18");
    EXPECT_EQ(toMilli(sellPriceForNet(defaults(), 1000, 0, 10081.00, 0)), 10170);
    // The break-even price nets at least the cost; one cent less does not.
    const double breakEven = sellPriceForNet(defaults(), 1000, 0, 10081.00, 0);
    EXPECT_GE(1000 * breakEven - tradeFee(defaults(), 1000, 0, breakEven, TradeSide::Sell),
              10081.00 - 0.002);
    const double below = breakEven - 0.01;
    EXPECT_LT(1000 * below - tradeFee(defaults(), 1000, 0, below, TradeSide::Sell),
              10081.00 - 0.002);
}

TEST(Fees, SearchesWithoutAPriceGiveZero) {
    EXPECT_EQ(buyPriceForTotal(defaults(), 1000, -1, 10081.00), 0.0);
    EXPECT_EQ(sellPriceForNet(defaults(), 1000, -1, 10081.00, 0), 0.0);
    EXPECT_EQ(buyPriceForTotal(defaults(), 0, 0, 10081.00), 0.0);
    EXPECT_EQ(buyPriceForTotal(defaults(), 1000, 0, 0.0), 0.0);
    EXPECT_EQ(sellPriceForNet(defaults(), 1000, 0, 0.0, 500), 0.0);  // the test is on the base
}

// Inputs for which a plain walk on the cent grid would never end: each search must return, and
// gives 0 ("no price") when no sensible price exists.
TEST(Fees, SearchesEndForEveryInput) {
    Settings s = defaultSettings();
    s.categories[4].commissionRate = 60;
    s.categories[4].stampTaxRate = 40;  // 100 %: selling never nets anything
    s.categories[5].commissionRate = 99.99;
    const double huge = 1e300;
    const struct {
        std::int32_t shares;
        int category;
        double amount;
        double target;
    } cases[] = {
        {-1000, 0, 10081.0, 0},   {INT32_MIN, 0, 10081.0, 0}, {1000, 4, 10081.0, 0},
        {1000, 0, huge, 0},       {1000, 0, -huge, 0},        {1, 0, 1e9, 0},
        {1000, 0, 10081.0, huge}, {1000, 0, NAN, 0},          {1000, 0, INFINITY, 0},
        {1, 5, 1e6, 0},
    };
    for (const auto& c : cases) {
        const double buy = buyPriceForTotal(s.categories, c.shares, c.category, c.amount);
        const double sell = sellPriceForNet(s.categories, c.shares, c.category, c.amount, c.target);
        EXPECT_TRUE(std::isfinite(buy));
        EXPECT_TRUE(std::isfinite(sell));
    }
    EXPECT_EQ(sellPriceForNet(s.categories, 1000, 4, 10081.0, 0), 0.0);
    EXPECT_EQ(buyPriceForTotal(s.categories, -1000, 0, 10081.0), 0.0);
    EXPECT_EQ(sellPriceForNet(s.categories, -1000, 0, 10081.0, 0), 0.0);
    EXPECT_EQ(sellPriceForNet(s.categories, 1000, 0, huge, 0), 0.0);
}

// Whatever the size of the amounts, a search gives the lowest (highest) grid price that nets
// (costs) the amount, found as quickly for the absurd prices of a damaged file as for a trade.
TEST(Fees, SearchesFindTheEdgePriceForAmountsOfEverySize) {
    const struct {
        std::int32_t shares;
        double amount;
    } cases[] = {
        {1000, 10081.0}, {100, 1234.56},    {1000, 2.0e6}, {1000, 5.0e7},
        {10, 2.0e5},     {1000000, 3.3e11}, {3, 1.0e6},    {2000, 2.4e9},
    };
    const CategoryTable& table = defaults();
    const auto net = [&](std::int32_t n, double p) {
        return static_cast<double>(static_cast<long double>(n) * p) -
               tradeFee(table, n, 0, p, TradeSide::Sell);
    };
    const auto cost = [&](std::int32_t n, double p) {
        return static_cast<double>(static_cast<long double>(n) * p) +
               tradeFee(table, n, 0, p, TradeSide::Buy);
    };
    for (const auto& c : cases) {
        const double sell = sellPriceForNet(table, c.shares, 0, c.amount, 0);
        ASSERT_GT(sell, 0.0) << c.amount;
        EXPECT_GE(net(c.shares, sell), c.amount - 0.002) << c.amount;
        EXPECT_LT(net(c.shares, roundToCent(sell - 0.01)), c.amount - 0.002) << c.amount;

        const double buy = buyPriceForTotal(table, c.shares, 0, c.amount);
        ASSERT_GT(buy, 0.0) << c.amount;
        EXPECT_LE(cost(c.shares, buy), c.amount + 0.002) << c.amount;
        EXPECT_GT(cost(c.shares, roundToCent(buy + 0.01)), c.amount + 0.002) << c.amount;
    }
}

TEST(Fees, ABuyTotalBelowTheFeesWalksToAPriceAtOrBelowZero) {
    // 10 yuan cannot pay the 16 yuan of minimum fees of 100 shares: the walk goes down until
    // the cost fits, and it ends.
    EXPECT_EQ(fixed2(buyPriceForTotal(defaults(), 100, 0, 20.0)), "0.03");  // 3 + 16.01 fits
    const double p = buyPriceForTotal(defaults(), 100, 0, 10.0);
    EXPECT_LE(p, 0.005);
    EXPECT_GE(p, -0.2);
}

// Today's schedule: commission 0.025 % (at least 5), stamp tax 0.05 % on sales only, transfer
// fee 0.001 % of the amount; funds and bonds pay the commission only.
TEST(Fees, TodaysScheduleChargesEachBoardOnBothSides) {
    const Settings s = todaysSettings();
    const struct {
        const char* code;
        int category;
        std::int32_t shares;
        double price;
        double buy;
        double sell;
    } cases[] = {
        {"600000", 0, 1000, 10.00, 5.10, 10.10},  // 5 + 0.10, and 5.00 stamp tax on the sale
        {"000001", 1, 1000, 10.00, 5.10, 10.10},
        {"300750", 2, 1000, 10.00, 5.10, 10.10},
        {"688981", 3, 1000, 10.00, 5.10, 10.10},
        {"920001", 4, 1000, 10.00, 5.10, 10.10},
        {"830799", 5, 1000, 10.00, 5.10, 10.10},
        {"430047", 6, 1000, 10.00, 5.10, 10.10},
        {"510300", 7, 1000, 10.00, 5.00, 5.00},  // funds and bonds: the commission only
        {"159915", 8, 1000, 10.00, 5.00, 5.00},
        {"160105", 9, 1000, 10.00, 5.00, 5.00},
        {"113050", 10, 1000, 10.00, 5.00, 5.00},
        {"123001", 11, 1000, 10.00, 5.00, 5.00},
        {"900901", -1, 1000, 10.00, 0.00, 0.00},  // no row for B shares
        {"0001", -1, 1000, 10.00, 0.00, 0.00},    // nor for the old four-digit codes
        // The minimum commission at its edge: 20000 * 0.025 % is exactly 5; 20020 gives 5.005,
        // which rounds to 5.01 (transfer 0.2002 -> 0.20, stamp 10.01).
        {"600000", 0, 2000, 10.00, 5.20, 15.20},
        {"600000", 0, 2002, 10.00, 5.21, 15.22},
        // The transfer fee's cent: 0.1448 -> 0.14, 0.145 -> 0.15 (stamp 7.24, 7.25).
        {"600000", 0, 1448, 10.00, 5.14, 12.38},
        {"600000", 0, 1450, 10.00, 5.15, 12.40},
        // A small trade: transfer 0.0085 -> 0.01, stamp 0.425 -> 0.43.
        {"600000", 0, 100, 8.50, 5.01, 5.44},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(categoryOfCode(s, c.code), c.category) << c.code;
        EXPECT_NEAR(tradeFee(s.categories, c.shares, c.category, c.price, TradeSide::Buy), c.buy,
                    1e-9)
            << c.code << " " << c.shares;
        EXPECT_NEAR(tradeFee(s.categories, c.shares, c.category, c.price, TradeSide::Sell), c.sell,
                    1e-9)
            << c.code << " " << c.shares;
    }
}

// A row priced in steps of 0.001 finds its prices on that grid; the same row without the flag
// keeps the cent grid.
TEST(Fees, SearchesOfAMilliRowWalkTheMilliGrid) {
    Settings milli = todaysSettings();
    const int fund = categoryOfCode(milli, "510300");
    ASSERT_TRUE(milli.categories[static_cast<std::size_t>(fund)].feeRules & kPriceInMilli);
    Settings cent = milli;
    cent.categories[static_cast<std::size_t>(fund)].feeRules &= ~kPriceInMilli;
    // 100 000 at 3.456 cost 345 600 + 86.40 commission.
    const double cost = 345686.40;
    EXPECT_EQ(fixed3(buyPriceForTotal(milli.categories, 100000, fund, cost)), "3.456");
    EXPECT_EQ(fixed2(buyPriceForTotal(cent.categories, 100000, fund, cost)), "3.45");
    // Break-even: the net of a sale at 3.458 (345 800 - 86.45) covers the cost, at 3.457 not.
    EXPECT_EQ(fixed3(sellPriceForNet(milli.categories, 100000, fund, cost, 0)), "3.458");
    EXPECT_EQ(fixed2(sellPriceForNet(cent.categories, 100000, fund, cost, 0)), "3.46");
    // Fees stay in cents whatever the price's step.
    EXPECT_EQ(fixed2(tradeFee(milli.categories, 100000, fund, 3.456, TradeSide::Buy)), "86.40");
}

TEST(Fees, PartsOfAFeeAsTheStatementShowsThem) {
    const Settings s = todaysSettings();
    const struct {
        TradeSide side;
        FeeParts parts;
    } cases[] = {
        {TradeSide::Buy, {5.00, 0.00, 0.10, 0.00}},
        {TradeSide::Sell, {5.00, 5.00, 0.10, 0.00}},
    };
    for (const auto& c : cases) {
        const FeeParts parts = feeParts(s.categories, 1000, 0, 10.00, c.side);
        EXPECT_DOUBLE_EQ(parts.commission, c.parts.commission);
        EXPECT_DOUBLE_EQ(parts.stampTax, c.parts.stampTax);
        EXPECT_DOUBLE_EQ(parts.transferFee, c.parts.transferFee);
        EXPECT_DOUBLE_EQ(parts.orderFee, c.parts.orderFee);
        EXPECT_EQ(parts.total(), tradeFee(s.categories, 1000, 0, 10.00, c.side));
    }
    const FeeParts old = feeParts(defaults(), 1000, 0, 10.00, TradeSide::Buy);
    EXPECT_EQ(fixed2(old.commission) + " " + fixed2(old.stampTax) + " " + fixed2(old.transferFee) +
                  " " + fixed2(old.orderFee),
              "35.00 40.00 1.00 5.00");
}

TEST(Fees, EachRuleWorksOnItsOwnAndUnknownBitsChangeNothing) {
    Settings s = defaultSettings();
    // Stamp tax on sales only, the transfer fee still per 1000 shares.
    s.categories[0].feeRules = kStampOnSalesOnly;
    EXPECT_NEAR(tradeFee(s.categories, 1000, 0, 10.00, TradeSide::Buy), 35 + 1 + 5, 1e-9);
    EXPECT_NEAR(tradeFee(s.categories, 1000, 0, 10.00, TradeSide::Sell), 81.00, 1e-9);
    // The transfer fee as 1 % of the amount, then its minimum as ever: 100 -> 100 on both sides.
    s.categories[0].feeRules = kTransferOfAmount;
    EXPECT_NEAR(tradeFee(s.categories, 1000, 0, 10.00, TradeSide::Buy), 35 + 40 + 100 + 5, 1e-9);
    s.categories[0].transferFee = 0.001;  // 0.10, raised to the minimum of 1
    EXPECT_NEAR(tradeFee(s.categories, 1000, 0, 10.00, TradeSide::Sell), 81.00, 1e-9);
    s = defaultSettings();
    s.categories[0].feeRules = 0xFC;
    for (const TradeSide side : {TradeSide::Buy, TradeSide::Sell})
        EXPECT_NEAR(tradeFee(s.categories, 1000, 0, 10.00, side), 81.00, 1e-9);
}

TEST(Fees, EachSearchPricesItsOwnSide) {
    const Settings s = todaysSettings();
    // Bought for 10005.10: 10.00 a share plus 5.10 (at the sale's fee it would be 9.99).
    EXPECT_EQ(fixed2(buyPriceForTotal(s.categories, 1000, 0, 10005.10)), "10.00");
    // Break-even of 10000.00: at 10.01 a sale nets 10010 - 10.11 = 9999.89 (a purchase's fee
    // would make it 10004.90), so 10.02.
    EXPECT_EQ(fixed2(sellPriceForNet(s.categories, 1000, 0, 10000.00, 0)), "10.02");
    // A target profit of 500 on the same cost: 10.51 nets 10499.63, 10.52 nets 10509.63.
    EXPECT_EQ(fixed2(sellPriceForNet(s.categories, 1000, 0, 10000.00, 500)), "10.52");
    // A fund has no stamp tax: both searches are 5 yuan from the amount.
    EXPECT_EQ(fixed2(buyPriceForTotal(s.categories, 1000, 7, 10005.00)), "10.00");
    EXPECT_EQ(fixed2(sellPriceForNet(s.categories, 1000, 7, 9995.00, 0)), "10.00");
}

}  // namespace
}  // namespace tallivan
