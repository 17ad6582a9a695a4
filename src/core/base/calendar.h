// Calendar arithmetic on plain dates: day numbers for counting days between dates, whole
// calendar months and years added to a date, and the YYYYMMDD keys the lists sort by.
#pragma once

#include <cstdint>

#include "base/clock.h"

namespace tallivan {

// Days since 1970-01-01 (negative before), for any date of the proleptic Gregorian calendar.
std::int64_t dayNumber(const Date& date);

// The number of days in `month` of `year`.
int daysInMonth(int year, int month);

// `date` moved by `months` calendar months; a day the target month lacks becomes its last day
// (01-31 plus one month is 02-28, or 02-29 in a leap year).
Date addMonths(const Date& date, int months);

// YYYYMMDD and back.
std::int32_t dateKeyOf(const Date& date);
Date dateOfKey(std::int32_t key);

}  // namespace tallivan
