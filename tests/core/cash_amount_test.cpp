#include "ledger/cash_amount.h"

#include <gtest/gtest.h>

#include "account_test_support.h"
#include "base/numbers.h"

namespace tallivan {
namespace {

using testing::trade;

TEST(CashAmount, MoneyInIsPositiveMoneyOutNegative) {
    const struct {
        int type;
        std::int32_t shares, price, fee;  // price and fee in milli-yuan
        const char* amount;
    } cases[] = {
        {kBuy, 1000, 10000, 81000, "-10081.00"},
        {kSell, 1000, 10000, 81000, "9919.00"},
        {kRightsIssue, 300, 5500, 5000, "-1655.00"},      // paid like a buy, fee included
        {kSubscription, 1000, 8000, 5000, "-8000.00"},    // no fee on a subscription
        {kSubscriptionWon, 1000, 8000, 0, "-8000.00"},    //
        {kSubscriptionNotWon, 1000, 8000, 5000, "0.00"},  // the money came back
        {kBonusShares, 1000, 0, 0, "0.00"},               //
        {kBonusShares, 1000, 10000, 3000, "0.00"},        // even with a price and a fee
        {kDividend, 0, 0, 120000, "120.00"},              // the dividend is kept in the fee
        {8, 1000, 10000, 81000, "0.00"},                  // no such type
    };
    for (const auto& c : cases) {
        const TradeRecord t = trade(c.type, "600001", c.shares, c.price, c.fee);
        EXPECT_EQ(fixed2(cashAmount(t)), c.amount) << "type " << c.type;
    }
}

}  // namespace
}  // namespace tallivan
