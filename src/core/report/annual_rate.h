// The annual rate at which a series of payments breaks even (the internal rate of return on
// dates): the r for which the sum of amount / (1 + r)^(days / 365) over the payments is zero,
// days counted from the first payment.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/numbers.h"

namespace tallivan {

struct CashFlow {
    std::int64_t day = 0;  // a day number (base/calendar.h)
    Extended amount = 0;   // money paid in negative, money received positive
};

// The rate as a fraction (0.1 for 10 % a year), or nothing when no rate from -99.99 % to two
// million % brings the payments to zero (all on one day, all of one sign, ...). Of several
// rates, the one nearest to 0.
std::optional<double> annualRate(const std::vector<CashFlow>& flows);

}  // namespace tallivan
