#include "ledger/cash_amount.h"

#include "base/numbers.h"

namespace tallivan {

double cashAmount(const TradeRecord& trade) {
    const Extended amount = static_cast<Extended>(trade.price) * 0.001L * trade.shares;
    const Extended fee = static_cast<Extended>(trade.fee) * 0.001L;
    switch (trade.type()) {
        case kSell:
            return static_cast<double>(amount - fee);
        case kBuy:
        case kRightsIssue:
            return static_cast<double>(-(amount + fee));
        case kDividend:
            return static_cast<double>(fee);  // the dividend is kept in the fee field
        case kSubscription:
        case kSubscriptionWon:
            return static_cast<double>(-amount);  // subscriptions are charged no fee
        default:
            return 0.0;  // bonus shares, lost subscriptions and types no command writes
    }
}

}  // namespace tallivan
