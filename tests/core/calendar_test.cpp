// Day numbers and calendar months.
#include "base/calendar.h"

#include <gtest/gtest.h>

namespace tallivan {
namespace {

TEST(Calendar, DayNumbersCountTheDaysBetweenDates) {
    EXPECT_EQ(dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(dayNumber({1969, 12, 31}), -1);
    EXPECT_EQ(dayNumber({2000, 3, 1}) - dayNumber({2000, 2, 28}), 2);  // 2000 is a leap year
    EXPECT_EQ(dayNumber({1900, 3, 1}) - dayNumber({1900, 2, 28}), 1);  // 1900 is not
    EXPECT_EQ(dayNumber({2024, 1, 1}) - dayNumber({2023, 1, 1}), 365);
    EXPECT_EQ(dayNumber({2025, 1, 1}) - dayNumber({2024, 1, 1}), 366);
    EXPECT_EQ(dayNumber({2026, 12, 10}), 20797);
}

TEST(Calendar, AddingMonthsKeepsTheDayOrTakesTheMonthsLast) {
    const struct {
        Date from;
        int months;
        Date to;
    } cases[] = {
        {{2025, 3, 5}, 1, {2025, 4, 5}},     {{2025, 1, 31}, 1, {2025, 2, 28}},
        {{2024, 1, 31}, 1, {2024, 2, 29}},   {{2024, 2, 29}, 12, {2025, 2, 28}},
        {{2024, 12, 15}, 1, {2025, 1, 15}},  {{2025, 3, 31}, -1, {2025, 2, 28}},
        {{2025, 1, 15}, -1, {2024, 12, 15}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(addMonths(c.from, c.months), c.to) << isoDate(c.from) << " " << c.months;
    EXPECT_EQ(dateKeyOf({2025, 3, 5}), 20250305);
    EXPECT_EQ(dateOfKey(20250305), (Date{2025, 3, 5}));
}

}  // namespace
}  // namespace tallivan
