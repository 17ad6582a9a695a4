#include "base/calendar.h"

namespace tallivan {

std::int64_t dayNumber(const Date& date) {
    // Howard Hinnant's days_from_civil: years begin in March, so the leap day ends a year.
    const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = date.month;
    const std::int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return days[month - 1] + (month == 2 && leap ? 1 : 0);
}

Date addMonths(const Date& date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    Date moved{index / 12, index % 12 + 1, date.day};
    const int last = daysInMonth(moved.year, moved.month);
    if (moved.day > last)
        moved.day = last;
    return moved;
}

std::int32_t dateKeyOf(const Date& date) {
    return date.year * 10000 + date.month * 100 + date.day;
}

Date dateOfKey(std::int32_t key) {
    return {key / 10000, key / 100 % 100, key % 100};
}

}  // namespace tallivan
