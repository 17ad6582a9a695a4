#include "base/numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tallivan {

double roundToCent(double x) {
    const Extended shifted = (static_cast<Extended>(x) + 0.0051L) * 100.0L;
    return static_cast<double>(floorl(shifted) * 0.01L);
}

double roundToMilli(double x) {
    return static_cast<double>(roundl(static_cast<Extended>(x) * 1000.0L) * 0.001L);
}

double roundRate(double x) {
    return static_cast<double>(roundl(static_cast<Extended>(x) * 10000.0L) / 10000.0L);
}

std::int64_t toMilli(double x) {
    const Extended milli = static_cast<Extended>(x) * 1000.0L;
    if (!(fabsl(milli) < 9.2e18L)) {
        return milli < 0 ? INT64_MIN : (milli > 0 ? INT64_MAX : 0);
    }
    return llroundl(milli);
}

double fromMilli(std::int64_t v) {
    return static_cast<double>(static_cast<Extended>(v) * 0.001L);
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<double> parseMoney(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::string_view s = text.substr(begin, end - begin);

    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0, fractionDigits = 0;
    std::int64_t mantissa = 0;  // the digits as one integer, while there are at most 15
    while (i < s.size() && isDigit(s[i])) {
        if (digits < 15)
            mantissa = mantissa * 10 + (s[i] - '0');
        ++i, ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            if (digits < 15)
                mantissa = mantissa * 10 + (s[i] - '0');
            ++i, ++digits, ++fractionDigits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i == s.size() && digits <= 15) {
        // An integer of at most 15 digits over a power of ten up to 10^15: both are exact
        // doubles, so their quotient is the correctly rounded value, as strtod would give it.
        static const double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double value = static_cast<double>(mantissa) / kPowers[fractionDigits];
        return s[0] == '-' ? -value : value;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;

    // The syntax is checked above, so strtod only converts; it never sees hex, "inf" or "nan".
    const std::string copy(s);
    errno = 0;
    const double value = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';

    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return std::nullopt;

    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int d = hex ? hexValue(s[i]) : (isDigit(s[i]) ? s[i] - '0' : -1);
        if (d < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (hex) {
        const auto bits = static_cast<std::uint32_t>(magnitude);
        const auto value = static_cast<std::int32_t>(bits);
        return negative ? static_cast<std::int32_t>(0u - bits) : value;
    }
    if (negative) {
        if (magnitude > 0x80000000ull)
            return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude > 0x7FFFFFFFull)
        return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

namespace {

// The decimal digits of |v| rounded to `precision` significant digits, halves away from zero
// on the exact binary value; `exponent` is the position of the decimal point (value =
// 0.d1d2... * 10^exponent).
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits significantDigits(double v, int precision) {
    // glibc prints the exact binary value correctly rounded; 40 extra digits decide halves.
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*e", precision + 40, std::fabs(v));
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (isDigit(*p))
            mantissa.push_back(*p);
    }
    int exp10 = std::atoi(p + 1) + 1;
    const bool roundUp = mantissa[static_cast<std::size_t>(precision)] >= '5';
    mantissa.resize(static_cast<std::size_t>(precision));
    if (roundUp) {
        int k = precision - 1;
        while (k >= 0 && mantissa[static_cast<std::size_t>(k)] == '9') {
            mantissa[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k >= 0) {
            ++mantissa[static_cast<std::size_t>(k)];
        } else {
            mantissa.insert(mantissa.begin(), '1');
            mantissa.pop_back();
            ++exp10;
        }
    }
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    return {mantissa, exp10};
}

}  // namespace

std::string generalForm(double v) {
    if (v == 0.0)
        return "0";
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v > 0 ? "INF" : "-INF";
    const Digits d = significantDigits(v, 15);
    std::string out = v < 0 ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent > 15 || d.exponent < -3) {
        out += d.digits[0];
        if (n > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.exponent - 1);
        return out;
    }
    if (d.exponent <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent), '0');
        out += d.digits;
    } else if (n <= d.exponent) {
        out += d.digits;
        out.append(static_cast<std::size_t>(d.exponent - n), '0');
    } else {
        out += d.digits.substr(0, static_cast<std::size_t>(d.exponent));
        out += '.';
        out += d.digits.substr(static_cast<std::size_t>(d.exponent));
    }
    return out;
}

namespace {

// "%W.Nf" for two or three decimals: the product of a double and 100 or 1000 is exact in the
// 64-bit mantissa, so roundl rounds the exact value, halves away from zero.
std::string fixedDecimals(double v, int width, int decimals) {
    char buf[400];
    const unsigned long long scale = decimals == 3 ? 1000ull : 100ull;
    const Extended units = roundl(static_cast<Extended>(v) * static_cast<Extended>(scale));
    if (std::isfinite(v) && fabsl(units) < 9.0e18L) {
        const long long c = static_cast<long long>(units);
        const unsigned long long a =
            c < 0 ? 0ull - static_cast<unsigned long long>(c) : static_cast<unsigned long long>(c);
        std::snprintf(buf, sizeof buf, "%s%llu.%0*llu", c < 0 ? "-" : "", a / scale, decimals,
                      a % scale);
    } else {
        // Beyond 9e15 yuan a double has no fraction left to round.
        std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    }
    std::string out(buf);
    if (static_cast<int>(out.size()) < width) {
        out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    }
    return out;
}

}  // namespace

std::string fixed2(double v, int width) {
    return fixedDecimals(v, width, 2);
}

std::string fixed3(double v, int width) {
    return fixedDecimals(v, width, 3);
}

std::string milliText(std::int64_t milli) {
    const bool negative = milli < 0;
    // The magnitude as unsigned, so the most negative value has one too.
    const std::uint64_t magnitude =
        negative ? 0ull - static_cast<std::uint64_t>(milli) : static_cast<std::uint64_t>(milli);
    std::uint64_t cents = magnitude / 10 + (magnitude % 10 >= 5 ? 1 : 0);
    const bool minus = negative && cents != 0;  // no "-0.00"
    // Written from the right: a report prints tens of thousands of amounts, and snprintf
    // takes many times longer.
    char buf[32];
    char* at = buf + sizeof buf;
    for (int digit = 0; digit < 3 || cents > 0; ++digit, cents /= 10) {
        if (digit == 2)
            *--at = '.';
        *--at = static_cast<char>('0' + cents % 10);
    }
    if (minus)
        *--at = '-';
    return std::string(at, buf + sizeof buf);
}

std::string percent2(double v, int width) {
    return fixed2(v, width) + "%";
}

}  // namespace tallivan
