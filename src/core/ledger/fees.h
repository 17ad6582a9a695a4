// Fees and taxes of one trade, and the two searches that turn money back into a price.
#pragma once

#include <cstdint>

#include "storage/settings.h"

namespace tallivan {

// Commission (with its minimum), stamp tax, transfer fee (with its minimum) and the order fee
// of trading `shares` at `price` in category row `category` (-1: none, no fee).
double tradeFee(const CategoryTable& table, std::int32_t shares, int category, double price);

// The highest price on the cent grid at which buying `shares` plus their fee costs no more
// than `total` (+0.002).
double buyPriceForTotal(const CategoryTable& table, std::int32_t shares, int category,
                        double total);

// The lowest price on the cent grid at which selling `shares` minus their fee brings at least
// `base` + `target` (-0.002). Break-even is a target of 0.
double sellPriceForNet(const CategoryTable& table, std::int32_t shares, int category, double base,
                       double target);

}  // namespace tallivan
