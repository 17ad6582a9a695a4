// Money, prices and counts: the program's rounding, conversion, parsing and display forms.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallivan {

// Extended precision for intermediate sums and products (64-bit mantissa on x86-64).
using Extended = long double;

// Rounds to the whole cent with the threshold at 0.49 of a cent:
// floor((x + 0.0051) * 100) * 0.01, formed in extended precision.
double roundToCent(double x);

// Rounds to the whole milli-yuan, halves away from zero, formed in extended precision: the
// price of an instrument traded in steps of 0.001 yuan.
double roundToMilli(double x);

// Rounds a rate in percent to four decimals (0.0001 %), halves away from zero, formed in
// extended precision: today's rates (0.025 %, 0.001 %) need more than the cent.
double roundRate(double x);

// Yuan to signed milli-yuan, rounded to the nearest integer (halves away from zero).
std::int64_t toMilli(double x);

// Stored milli-yuan back to yuan (v * 0.001).
double fromMilli(std::int64_t v);

// A decimal number as typed into a money, price or rate field: blanks around it, an optional
// sign, digits with an optional decimal point, an optional exponent. Values that do not fit a
// double are refused as well.
std::optional<double> parseMoney(std::string_view text);

// A 32-bit integer as typed into a count or date field: leading blanks, an optional sign, then
// decimal digits or hexadecimal digits after "$" or "0x". Anything after the digits, a blank
// included, is refused. Hexadecimal takes up to 32 bits and keeps their pattern.
std::optional<std::int32_t> parseInt(std::string_view text);

// The general decimal form: up to 15 significant digits, no trailing zeros ("10", "0.35", "0");
// very large or small magnitudes switch to an exponent ("1E20", "1E-5").
std::string generalForm(double v);

// "%W.2f": two decimals, halves rounded away from zero on the exact value, right-aligned in
// `width` characters. A result that rounds to zero carries no minus sign.
std::string fixed2(double v, int width = 0);

// "%W.3f": fixed2 with three decimals, for prices of instruments traded in steps of 0.001.
std::string fixed3(double v, int width = 0);

// A milli-yuan amount with two decimals, rounded to the cent on the exact integer (halves away
// from zero), no padding: 12345 gives "12.35", -5 gives "-0.01", 4 gives "0.00".
std::string milliText(std::int64_t milli);

// fixed2 followed by "%" ("%6.2f%").
std::string percent2(double v, int width = 0);

}  // namespace tallivan
