#include "ledger/row_format.h"

#include <cmath>

namespace tallivan::rows {

namespace {

// Whole cents (or milli-yuan) up to this magnitude are written digit by digit.
constexpr Extended kQuickUnits = 1e17L;

// "%2.2f" (decimals 2) or "%2.3f" (decimals 3) of the value, exactly as fixed2 and fixed3
// write it.
void appendFixed(std::string& out, double value, int decimals) {
    // The same rounding as fixed2: the exact value times 100 (or 1000; a double times either
    // fits the extended mantissa), halves away from zero. Below kQuickUnits adding the half is
    // exact.
    const Extended scale = decimals == 3 ? 1000.0L : 100.0L;
    const Extended shifted = fabsl(static_cast<Extended>(value) * scale);
    if (!(shifted < kQuickUnits)) {
        out += decimals == 3 ? fixed3(value) : fixed2(value);  // also infinities and NaN
        return;
    }
    unsigned long long a = static_cast<unsigned long long>(shifted + 0.5L);
    const bool negative = value < 0 && a != 0;  // a value rounding to zero has no sign
    char buf[24];
    char* p = buf + sizeof buf;
    for (int d = 0; d < decimals; ++d) {
        *--p = static_cast<char>('0' + a % 10);
        a /= 10;
    }
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (negative)
        *--p = '-';
    out.append(p, static_cast<std::size_t>(buf + sizeof buf - p));
}

}  // namespace

std::string money(Extended value) {
    std::string out;
    appendFixed(out, static_cast<double>(value), 2);
    return out;
}

std::string price(Extended value, PriceTick tick) {
    std::string out;
    appendFixed(out, static_cast<double>(value), tick == PriceTick::Milli ? 3 : 2);
    return out;
}

std::string rate(Extended value) {
    std::string out;
    appendFixed(out, static_cast<double>(value), 2);
    out += '%';
    return out;
}

}  // namespace tallivan::rows
