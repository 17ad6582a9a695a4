// The arithmetic and text forms the list rows share: money is formed from milli-yuan in
// extended precision and every column value is stored to a double before it is formatted.
#pragma once

#include <cstdint>
#include <string>

#include "base/numbers.h"
#include "ledger/price_tick.h"

namespace tallivan::rows {

// A stored milli-yuan value in yuan, still in extended precision.
inline Extended yuan(std::int64_t milli) {
    return static_cast<Extended>(milli) * 0.001L;
}

// "%2.2f" of the column value, exactly as fixed2 writes it. Loading a large account formats
// about a million of these, so the usual magnitudes skip the general formatter.
std::string money(Extended value);

// A price column: money, or "%2.3f" for an instrument traded in steps of 0.001 yuan.
std::string price(Extended value, PriceTick tick);

// "%2.2f%%" of the column value.
std::string rate(Extended value);

}  // namespace tallivan::rows
