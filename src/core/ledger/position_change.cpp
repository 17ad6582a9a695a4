#include "ledger/position_change.h"

#include "base/numbers.h"

namespace tallivan {

std::int64_t wrapAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

std::int64_t wrapSub(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

PositionChange positionChange(const TradeRecord& t, LedgerList list) {
    const std::int64_t n = t.shares;
    const std::int64_t value = std::int64_t{t.price} * (n < 0 ? -n : n);
    PositionChange change;
    if (list == LedgerList::Holdings && t.type() == kSell) {
        change.shares = -n;
        change.cost = wrapSub(0, t.costBasis);
    } else if (list == LedgerList::Holdings) {
        change.shares = n;
        const std::int64_t paid = wrapAdd(value, t.fee);
        change.cost = n >= 0 ? paid : wrapSub(0, paid);
    } else if (t.type() == kSell) {
        change.shares = n;
        change.cost = t.costBasis;
        const std::int64_t net = wrapSub(value, t.fee);
        change.proceeds = n >= 0 ? net : wrapSub(0, net);
    } else if (t.type() == kDividend) {
        change.proceeds = t.fee;  // the dividend amount
    }
    return change;
}

PositionChange PositionChange::operator-(const PositionChange& other) const {
    return {wrapSub(shares, other.shares), wrapSub(cost, other.cost),
            wrapSub(proceeds, other.proceeds)};
}

std::int64_t saleCostBasis(std::int32_t sharesSold, std::int32_t sharesHeld, std::int64_t costHeld,
                           std::int64_t proceeds) {
    if (sharesSold == sharesHeld)
        return costHeld;
    return proceeds > costHeld ? proceeds - costHeld : proceeds;
}

void adjustForIssue(StockRecord& held, const PositionChange& change) {
    const std::int64_t before = held.shares;
    const std::int64_t after = before + change.shares;
    if (before <= 0 || after <= 0 || held.price <= 0)
        return;
    const Extended worth =
        static_cast<Extended>(held.price) * before + static_cast<Extended>(change.cost);
    const Extended ratio = worth / after / held.price;
    const auto moved = [ratio](std::int64_t price) {
        return toMilli(roundToCent(static_cast<double>(price * ratio * 0.001L)));
    };
    held.price = static_cast<std::int32_t>(moved(held.price));
    if (held.stopLossPrice > 0)
        held.stopLossPrice = moved(held.stopLossPrice);
    if (held.takeProfitPrice > 0)
        held.takeProfitPrice = static_cast<std::int32_t>(moved(held.takeProfitPrice));
}

bool changesPosition(int type, LedgerList list) {
    switch (type) {
        case kSell:
            return true;
        case kBuy:
        case kRightsIssue:
        case kBonusShares:
        case kSubscriptionWon:
            return list == LedgerList::Holdings;
        case kDividend:
            return list == LedgerList::Sold;
        default:
            return false;
    }
}

}  // namespace tallivan
