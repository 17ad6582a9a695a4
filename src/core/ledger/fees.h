// Fees and taxes of one trade, and the two searches that turn money back into a price.
#pragma once

#include <cstdint>

#include "storage/settings.h"

namespace tallivan {

// Which side of the market a trade is on. A row's fee rules may charge the sides differently
// (stamp tax on sales only); every value that supposes a sale is priced on the sell side.
enum class TradeSide { Buy, Sell };

// The four parts of a fee, each as the broker's statement shows it.
struct FeeParts {
    double commission = 0;  // with its minimum, rounded to the cent
    double stampTax = 0;
    double transferFee = 0;  // with its minimum
    double orderFee = 0;

    double total() const;
};

// The parts of the fee of trading `shares` at `price` on `side` in category row `category`
// (-1: none, all 0).
FeeParts feeParts(const CategoryTable& table, std::int32_t shares, int category, double price,
                  TradeSide side);

// Commission (with its minimum), stamp tax, transfer fee (with its minimum) and the order fee
// of trading `shares` at `price` on `side` in category row `category` (-1: none, no fee).
double tradeFee(const CategoryTable& table, std::int32_t shares, int category, double price,
                TradeSide side);

// The highest price on the cent grid (the milli-yuan grid for a row priced in milli-yuan) at which
// buying `shares` plus their fee costs no more than `total` (+0.002).
double buyPriceForTotal(const CategoryTable& table, std::int32_t shares, int category,
                        double total);

// The lowest price on the cent grid (or the milli-yuan grid) at which selling `shares` minus their
// fee (on the sell side) brings at least `base` + `target` (-0.002). Break-even is a target of 0.
double sellPriceForNet(const CategoryTable& table, std::int32_t shares, int category, double base,
                       double target);

}  // namespace tallivan
