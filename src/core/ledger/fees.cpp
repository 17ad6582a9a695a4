#include "ledger/fees.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "ledger/price_tick.h"

namespace tallivan {

namespace {

const StockCategory* rowOf(const CategoryTable& table, int category) {
    if (category < 0 || category >= kCategoryCount)
        return nullptr;
    return &table[static_cast<std::size_t>(category)];
}

// Guards of the two searches, which walk the cent grid from the fee-free price. A normal search
// takes as many steps as the fee amounts to in cents per share; these bounds only stop walks
// that could never end (no shares, prices beyond any market, a grid step lost in the
// magnitude, rates that eat the whole amount) and give 0, the "no price" of the lists.
constexpr double kLargestPrice = 1e10;
constexpr int kMostSteps = 1000000;

bool searchable(std::int32_t shares, double start) {
    return shares > 0 && std::isfinite(start) && std::fabs(start) < kLargestPrice;
}

}  // namespace

double FeeParts::total() const {
    return static_cast<double>(static_cast<Extended>(commission) + transferFee + stampTax +
                               orderFee);
}

FeeParts feeParts(const CategoryTable& table, std::int32_t shares, int category, double price,
                  TradeSide side) {
    const StockCategory* row = rowOf(table, category);
    if (!row || shares == 0 || price == 0.0)
        return {};
    const double amount = static_cast<double>(static_cast<Extended>(shares) * price);
    const auto percentOfAmount = [amount](double rate) {
        return static_cast<double>(static_cast<Extended>(amount) * rate * 0.01L);
    };
    FeeParts parts;

    double commission = percentOfAmount(row->commissionRate);
    if (commission < row->minCommission)
        commission = row->minCommission;
    parts.commission = roundToCent(commission);

    const bool stampOnThisSide = side == TradeSide::Sell || !(row->feeRules & kStampOnSalesOnly);
    if (stampOnThisSide)
        parts.stampTax = roundToCent(percentOfAmount(row->stampTaxRate));

    if (row->feeRules & kTransferOfAmount) {
        parts.transferFee = roundToCent(percentOfAmount(row->transferFee));
    } else {
        const std::int32_t thousands = shares / 1000;
        parts.transferFee =
            roundToCent(static_cast<double>(static_cast<Extended>(thousands) * row->transferFee));
    }
    if (parts.transferFee <= row->minTransferFee)
        parts.transferFee = row->minTransferFee;

    parts.orderFee = row->orderFee;
    return parts;
}

double tradeFee(const CategoryTable& table, std::int32_t shares, int category, double price,
                TradeSide side) {
    return feeParts(table, shares, category, price, side).total();
}

namespace {

// Walks the cent grid from the fee-free price `quotient` in steps of `step` until `fits` holds
// for the amount (shares times price) and the fee at that price. A walk is as long as the fee
// amounts to in cents per share, a few hundred steps for any real trade; past kWalkedSteps
// (only absurd prices in damaged files get there) the grid is searched by doubling and halving
// the distance instead, which finds the same price wherever the net amount grows with the
// price, so that opening such a file does not take minutes.
constexpr int kWalkedSteps = 4000;

template <typename Fits>
double walkCentGrid(const CategoryTable& table, std::int32_t shares, int category, TradeSide side,
                    double quotient, double step, Fits fits) {
    if (!searchable(shares, quotient))
        return 0.0;
    // A row priced to the milli-yuan walks that grid instead, each step put back on it.
    const PriceTick tick = priceTickOfCategory(table, category);
    const bool milli = tick == PriceTick::Milli;
    if (milli)
        step = step / 10;
    const auto fitsAt = [&](double price) {
        return fits(static_cast<Extended>(shares) * price,
                    tradeFee(table, shares, category, price, side));
    };
    double price = roundToTick(quotient, tick);
    for (int steps = 0; steps < kWalkedSteps; ++steps) {
        if (fitsAt(price))
            return price;
        price = milli ? roundToMilli(price + step) : price + step;
    }
    // The first fitting step lies in (missed, reached]; both count steps from `price`.
    std::int64_t missed = -1;
    std::int64_t reached = 1;
    const std::int64_t mostSteps = kMostSteps - kWalkedSteps;
    while (!fitsAt(roundToTick(price + static_cast<double>(reached) * step, tick))) {
        if (reached >= mostSteps)
            return 0.0;
        missed = reached;
        reached = std::min(reached * 2, mostSteps);
    }
    while (reached - missed > 1) {
        const std::int64_t middle = missed + (reached - missed) / 2;
        if (fitsAt(roundToTick(price + static_cast<double>(middle) * step, tick)))
            reached = middle;
        else
            missed = middle;
    }
    return roundToTick(price + static_cast<double>(reached) * step, tick);
}

}  // namespace

double buyPriceForTotal(const CategoryTable& table, std::int32_t shares, int category,
                        double total) {
    if (!rowOf(table, category) || shares == 0 || total == 0.0)
        return 0.0;
    const double limit = static_cast<double>(static_cast<Extended>(total) + 0.002L);
    const double quotient = static_cast<double>(static_cast<Extended>(limit) / shares);
    return walkCentGrid(table, shares, category, TradeSide::Buy, quotient, -0.01,
                        [limit](Extended amount, double fee) {
                            return static_cast<double>(amount + fee) <= limit;
                        });
}

double sellPriceForNet(const CategoryTable& table, std::int32_t shares, int category, double base,
                       double target) {
    const StockCategory* row = rowOf(table, category);
    if (!row || shares == 0 || base == 0.0)
        return 0.0;
    // With rates of 100 % or more a higher price never nets more.
    const double transferRate = row->feeRules & kTransferOfAmount ? row->transferFee : 0.0;
    if (row->commissionRate + row->stampTaxRate + transferRate >= 100.0)
        return 0.0;
    const double goal = static_cast<double>(static_cast<Extended>(base) + target - 0.002L);
    const double quotient = static_cast<double>(static_cast<Extended>(goal) / shares);
    return walkCentGrid(
        table, shares, category, TradeSide::Sell, quotient, 0.01,
        [goal](Extended amount, double fee) { return static_cast<double>(amount - fee) >= goal; });
}

}  // namespace tallivan
