// The accounts month by month, from the month of the first record to this month: the money put
// in, the cost of the holdings and the cash at each month's end (this month: today), and, when
// the closes of those days are at hand, what the holdings were worth.
#pragma once

#include <optional>
#include <vector>

#include "base/clock.h"
#include "market/day_history.h"
#include "report/node_history.h"
#include "storage/settings.h"

namespace tallivan {

struct MonthPoint {
    int year = 0;
    int month = 0;
    double invested = 0;      // deposits and withdrawals so far
    double holdingsCost = 0;  // the buy cost of the shares held, as the holdings list sums it
    double cash = 0;          // the money in the accounts, as the panel's balance counts it
    // Every stock held at its last close of the month, net of the fees of selling it; nothing
    // when a stock held has no close in that month.
    std::optional<double> marketValue;
};

// `prices` may be null: no market values then.
std::vector<MonthPoint> monthlyHistory(const NodeHistory& history, const Date& today,
                                       const Settings& settings, ClosingPrices* prices);

}  // namespace tallivan
