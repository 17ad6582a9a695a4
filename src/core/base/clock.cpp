#include "base/clock.h"

#include "base/gbk.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace tallivan {

int weekdayOf(const Date& date) {
    // Sakamoto's method: 0 = Sunday.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = date.year;
    if (date.month < 3)
        --y;
    const int m = date.month >= 1 && date.month <= 12 ? date.month : 1;
    int w = (y + y / 4 - y / 100 + y / 400 + offsets[m - 1] + date.day) % 7;
    if (w < 0)
        w += 7;
    return w + 1;
}

std::string weekdayName(int weekday) {
    static const char* const names[] = {"星期日", "星期一", "星期二", "星期三",
                                        "星期四", "星期五", "星期六"};
    if (weekday < 1 || weekday > 7)
        return std::string();
    return gbk(names[weekday - 1]);
}

std::string isoDate(const Date& date) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buf;
}

bool parseIsoDate(const std::string& text, Date& date) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3)
        return false;
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > days[m - 1] + (m == 2 && leap ? 1 : 0))
        return false;
    date = {y, m, d};
    return true;
}

Date SystemClock::today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::int64_t SystemClock::secondsNow() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

void SystemClock::pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace tallivan
