// The annual rate that brings dated payments to zero, on cases with a known answer.
#include <gtest/gtest.h>

#include "base/calendar.h"
#include "base/numbers.h"
#include "report/annual_rate.h"

namespace tallivan {
namespace {

std::int64_t day(int y, int m, int d) {
    return dayNumber({y, m, d});
}

TEST(AnnualRate, KnownAnswers) {
    const struct {
        const char* what;
        std::vector<CashFlow> flows;
        const char* percent;
    } cases[] = {
        {"10 000 in, 11 000 a year later",
         {{day(2023, 1, 1), -10000}, {day(2024, 1, 1), 11000}},
         "10.00"},
        {"12 100 after two years", {{day(2022, 1, 1), -10000}, {day(2024, 1, 1), 12100}}, "10.00"},
        {"half back after a year", {{day(2023, 1, 1), -10000}, {day(2024, 1, 1), 5000}}, "-50.00"},
        {"all back, nothing more", {{day(2023, 1, 1), -10000}, {day(2024, 1, 1), 10000}}, "0.00"},
        {"5500 and 6050 back in two yearly steps",
         {{day(2022, 1, 1), -10000}, {day(2023, 1, 1), 5500}, {day(2024, 1, 1), 6050}},
         "10.00"},
        {"two deposits on one day count together",
         {{day(2023, 1, 1), -4000}, {day(2023, 1, 1), -6000}, {day(2024, 1, 1), 11000}},
         "10.00"},
        {"a thousandfold in a year", {{day(2023, 1, 1), -1}, {day(2024, 1, 1), 1000}}, "99900.00"},
        {"the order of the payments does not matter",
         {{day(2024, 1, 1), 11000}, {day(2023, 1, 1), -10000}},
         "10.00"},
    };
    for (const auto& c : cases) {
        const std::optional<double> rate = annualRate(c.flows);
        ASSERT_TRUE(rate) << c.what;
        EXPECT_EQ(fixed2(*rate * 100), c.percent) << c.what;
    }
}

TEST(AnnualRate, NoRateWhenNothingBalances) {
    const struct {
        const char* what;
        std::vector<CashFlow> flows;
    } cases[] = {
        {"no payments", {}},
        {"one payment", {{day(2023, 1, 1), -10000}}},
        {"all on one day", {{day(2023, 1, 1), -10000}, {day(2023, 1, 1), 11000}}},
        {"only money paid", {{day(2023, 1, 1), -10000}, {day(2024, 1, 1), -1000}}},
        {"only money received", {{day(2023, 1, 1), 10000}, {day(2024, 1, 1), 1000}}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(annualRate(c.flows)) << c.what;
}

}  // namespace
}  // namespace tallivan
