#include "ledger/row_format.h"

#include <cmath>

namespace tallivan::rows {

namespace {

// Whole cents up to this magnitude are written digit by digit.
constexpr Extended kQuickCents = 1e17L;

void appendFixed2(std::string& out, double value) {
    // The same rounding as fixed2: the exact value times 100 (a double times 100 fits the
    // extended mantissa), halves away from zero. Below kQuickCents adding the half is exact.
    const Extended shifted = fabsl(static_cast<Extended>(value) * 100.0L);
    if (!(shifted < kQuickCents)) {
        out += fixed2(value);  // also infinities and NaN
        return;
    }
    unsigned long long a = static_cast<unsigned long long>(shifted + 0.5L);
    const bool negative = value < 0 && a != 0;  // a value rounding to zero has no sign
    char buf[24];
    char* p = buf + sizeof buf;
    *--p = static_cast<char>('0' + a % 10);
    a /= 10;
    *--p = static_cast<char>('0' + a % 10);
    a /= 10;
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
    appendFixed2(out, static_cast<double>(value));
    return out;
}

std::string rate(Extended value) {
    std::string out;
    appendFixed2(out, static_cast<double>(value));
    out += '%';
    return out;
}

}  // namespace tallivan::rows
