// The arithmetic and text forms the list rows share: money is formed from milli-yuan in
// extended precision and every column value is stored to a double before it is formatted.
#pragma once

#include <cstdint>
#include <string>

#include "base/numbers.h"

namespace tallivan::rows {

// A stored milli-yuan value in yuan, still in extended precision.
inline Extended yuan(std::int64_t milli) {
    return static_cast<Extended>(milli) * 0.001L;
}

// "%2.2f" of the column value, exactly as fixed2 writes it. Loading a large account formats
// about a million of these, so the usual magnitudes skip the general formatter.
std::string money(Extended value);

// "%2.2f%%" of the column value.
std::string rate(Extended value);

}  // namespace tallivan::rows
