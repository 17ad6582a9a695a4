#include "ledger/fees.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/numbers.h"

namespace tallivan {
namespace {

const CategoryTable& defaults() {
    static const Settings s = defaultSettings();
    return s.categories;
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

}  // namespace
}  // namespace tallivan
