#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tallivan {
namespace {

TEST(Numbers, ExtendedPrecisionHasA64BitMantissa) {
    EXPECT_EQ(LDBL_MANT_DIG, 64);
}

struct RoundCase {
    double input;
    double cents;
};

TEST(Numbers, RoundToCentHasItsThresholdAt049OfACent) {
    const RoundCase cases[] = {
        {10.0045, 10.00}, {10.00491, 10.01}, {64.785, 64.79}, {2.975, 2.98},    {-1.234, -1.23},
        {-1.236, -1.24},  {9.995, 10.00},    {10.004, 10.00}, {12.3456, 12.35}, {0.075, 0.08},
        {0.0, 0.0},       {67.9875, 67.99},  {0.0049, 0.00},  {0.00491, 0.01},  {-0.0051, -0.01},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(roundToCent(c.input), c.cents) << c.input;
    }
}

TEST(Numbers, PricesOfAMilliTickKeepThreeDecimals) {
    const RoundCase cases[] = {
        {3.456, 3.456}, {3.4567, 3.457}, {3.4564, 3.456}, {-3.4567, -3.457},
        {0.0004, 0.0},  {0.0005, 0.001}, {100.0, 100.0},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(roundToMilli(c.input), c.cents) << c.input;
    }
    EXPECT_EQ(fixed3(3.456), "3.456");
    EXPECT_EQ(fixed3(3.0), "3.000");
    EXPECT_EQ(fixed3(-0.0004), "0.000");  // no sign on a value that rounds to zero
    EXPECT_EQ(fixed3(-1.5, 8), "  -1.500");
    EXPECT_EQ(fixed2(3.456), "3.46");  // the cent's form is unchanged
}

TEST(Numbers, ToMilliGivesTheStoredInteger) {
    EXPECT_EQ(toMilli(1.15), 1150);
    EXPECT_EQ(toMilli(10.23), 10230);
    EXPECT_EQ(toMilli(0.009), 9);
    EXPECT_EQ(toMilli(-1.15), -1150);
    EXPECT_EQ(toMilli(10.12), 10120);
    EXPECT_EQ(toMilli(10.169999999999998), 10170);
    EXPECT_EQ(toMilli(0.0005), 1);  // halves away from zero
    EXPECT_EQ(toMilli(-0.0005), -1);
    EXPECT_EQ(fromMilli(10120), 10.12);
    EXPECT_EQ(fromMilli(-1150), -1.15);
}

TEST(Numbers, ParseMoneyAcceptsExactlyTheDecimalForms) {
    const struct {
        const char* text;
        bool valid;
        double value;
    } cases[] = {
        {"1.5", true, 1.5},
        {"  1.5  ", true, 1.5},
        {"1e2", true, 100},
        {"-2.25", true, -2.25},
        {"+3", true, 3},
        {".5", true, 0.5},
        {"5.", true, 5},
        {"1.5E-1", true, 0.15},
        {"2e+3", true, 2000},
        {"\t7\t", true, 7},
        {"", false, 0},
        {"   ", false, 0},
        {"abc", false, 0},
        {"1,5", false, 0},
        {"1.2.3", false, 0},
        {"1e", false, 0},
        {"e5", false, 0},
        {".", false, 0},
        {"-", false, 0},
        {"0x10", false, 0},
        {"$10", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"1e999", false, 0},
        {"1 2", false, 0},
        {"12a", false, 0},
        // More digits than a 64-bit integer holds: only the first 15 are gathered exactly.
        {"123456789012345678901234567890", true, 1.2345678901234568e29},
        {"0.0000000000000000000000000000012", true, 1.2e-30},
    };
    for (const auto& c : cases) {
        const auto parsed = parseMoney(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << '"' << c.text << '"';
        if (c.valid && parsed) {
            EXPECT_DOUBLE_EQ(*parsed, c.value) << c.text;
        }
    }
}

TEST(Numbers, ParseIntAcceptsDecimalAndHexadecimalButNoTrailingBlank) {
    const struct {
        const char* text;
        bool valid;
        std::int32_t value;
    } cases[] = {
        {"12", true, 12},
        {" 12", true, 12},
        {"$1F", true, 31},
        {"0x1f", true, 31},
        {"0X1F", true, 31},
        {"-$10", true, -16},
        {"-42", true, -42},
        {"+7", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"$FFFFFFFF", true, -1},
        {"262", true, 262},
        {"12 ", false, 0},
        {"1e3", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"1.0", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"$100000000", false, 0},
        {"abc", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& c : cases) {
        const auto parsed = parseInt(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << '"' << c.text << '"';
        if (c.valid && parsed) {
            EXPECT_EQ(*parsed, c.value) << c.text;
        }
    }
}

TEST(Numbers, GeneralFormKeepsFifteenDigitsWithoutTrailingZeros) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {10.0, "10"},
        {0.35, "0.35"},
        {10081.0, "10081"},
        {84.75, "84.75"},
        {-38.8, "-38.8"},
        {10415.25, "10415.25"},
        {0.1 + 0.2, "0.3"},
        {10.169999999999998, "10.17"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-2.5e-7, "-2.5E-7"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(generalForm(c.value), c.text) << c.value;
}

TEST(Numbers, FixedFormsRoundHalvesAwayFromZeroOnTheExactValue) {
    const struct {
        double value;
        int width;
        const char* text;
    } cases[] = {
        {81.0, 0, "81.00"},
        {3.3156, 6, "  3.32"},
        {-4.46, 6, " -4.46"},
        {0.125, 0, "0.13"},  // exactly representable half: away from zero
        {-0.125, 0, "-0.13"},
        {2.675, 0, "2.67"},  // the double lies below the half
        {1.005, 0, "1.00"},
        {0.0, 11, "       0.00"},
        {-0.001, 0, "0.00"},  // no "-0.00"
        {1234567.891, 2, "1234567.89"},
        {-10081.0, 11, "  -10081.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fixed2(c.value, c.width), c.text) << c.value;
    EXPECT_EQ(percent2(3.3156, 6), "  3.32%");
    EXPECT_EQ(percent2(0.0, 6), "  0.00%");
    EXPECT_EQ(percent2(-4.4637, 6), " -4.46%");
}

TEST(Numbers, MilliTextRoundsTheExactIntegerToTheCent) {
    const struct {
        std::int64_t milli;
        const char* text;
    } cases[] = {
        {0, "0.00"},
        {12345, "12.35"},
        {12344, "12.34"},
        {-12345, "-12.35"},
        {-4, "0.00"},
        {-5, "-0.01"},
        {100000000, "100000.00"},
        {INT64_MIN, "-9223372036854775.81"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(milliText(c.milli), c.text) << c.milli;
}

TEST(Numbers, ParseMoneyGivesWhatStrtodGives) {
    // Short plain decimals take a quick path; it must agree with the conversion bit for bit.
    std::uint64_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const int digits = 1 + static_cast<int>(state >> 60);      // 1..16
        const int decimals = static_cast<int>((state >> 56) & 7);  // 0..7
        std::string text = (state >> 55) & 1 ? "-" : "";
        std::uint64_t mantissa = state >> 4;
        std::string number;
        for (int d = 0; d < digits; ++d, mantissa /= 10)
            number += static_cast<char>('0' + mantissa % 10);
        if (decimals > 0 && decimals < digits)
            number.insert(number.size() - static_cast<std::size_t>(decimals), ".");
        text += number;
        const std::optional<double> parsed = parseMoney(text);
        ASSERT_TRUE(parsed) << text;
        const double expected = std::strtod(text.c_str(), nullptr);
        EXPECT_EQ(std::memcmp(&*parsed, &expected, sizeof expected), 0) << text;
    }
}

}  // namespace
}  // namespace tallivan
