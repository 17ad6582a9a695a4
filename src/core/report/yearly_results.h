// How each calendar year went, in milli-yuan: the profit the year's sales realised against the
// cost basis each sale stored, the dividends, the fees paid, and the money put in and taken
// out.
#pragma once

#include <cstdint>
#include <vector>

#include "report/node_history.h"

namespace tallivan {

struct YearResult {
    int year = 0;
    std::int64_t realised = 0;     // shares x price - fee - cost basis, over the sales
    std::int64_t dividends = 0;    // a withheld tax recorded as a negative dividend counts against
    std::int64_t fees = 0;         // the fees paid with purchases, sales and rights issues
    std::int64_t deposits = 0;     // deposits and withdrawals with a positive amount
    std::int64_t withdrawals = 0;  // ... and with a negative amount (negative)

    YearResult& operator+=(const YearResult& other);
};

struct YearlyResults {
    std::vector<YearResult> years;  // every year with a transaction or fund movement, oldest first
    YearResult total;               // the sum of the years (year 0)
};

YearlyResults yearlyResults(const NodeHistory& history);

}  // namespace tallivan
