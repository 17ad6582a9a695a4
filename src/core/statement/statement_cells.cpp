#include "statement/statement_cells.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

// A date followed by a serial or a time: at most HHMMSS and six more digits after it.
constexpr std::size_t kLongestDateSerial = 20;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

int digitsValue(std::string_view text) {
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

std::optional<Date> validDate(int year, int month, int day) {
    if (year < 1981 || year > 2080 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return Date{year, month, day};
}

// A workbook keeps a date as the number of days since 1899-12-30.
std::optional<Date> fromDayNumber(int days) {
    int year = 1899;
    int month = 12;
    int day = 30;
    // Month by month: a statement spans a few years at most.
    while (days > 0) {
        const int left = daysInMonth(year, month) - day;
        if (days <= left) {
            day += days;
            break;
        }
        days -= left + 1;
        day = 1;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return validDate(year, month, day);
}

// The runs of digits in `text`, up to four; false when anything but digits and the given
// separators stands between them.
bool digitRuns(std::string_view text, std::array<std::string_view, 4>& runs, std::size_t& count) {
    static const std::string year = gbk("年");
    static const std::string month = gbk("月");
    static const std::string day = gbk("日");
    count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            const std::size_t start = i;
            while (i < text.size() && isDigit(text[i]))
                ++i;
            if (count == runs.size())
                return false;
            runs[count++] = text.substr(start, i - start);
            continue;
        }
        const std::string_view rest = text.substr(i);
        if (text[i] == '-' || text[i] == '/' || text[i] == '.') {
            ++i;
        } else if (rest.starts_with(year) || rest.starts_with(month) || rest.starts_with(day)) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// A workbook's day number ("45294") or day and time ("45294.396", "0.396"): the digits
// before the point (empty unless there are five) and after it (empty when there is none).
std::pair<std::string_view, std::string_view> dayNumberParts(std::string_view cell) {
    const std::size_t point = cell.find('.');
    const std::string_view whole = cell.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : cell.substr(point + 1);
    if (!allDigits(whole) || (point != std::string_view::npos && !allDigits(fraction)))
        return {};
    if (whole.size() == 5)
        return {whole, fraction.substr(0, 9)};
    if (whole == "0")
        return {{}, fraction.substr(0, 9)};
    return {};
}

}  // namespace

std::string_view trimCell(std::string_view cell) {
    static const std::string wideBlank = gbk("　");
    bool trimmed = true;
    while (trimmed && !cell.empty()) {
        trimmed = false;
        if (std::isspace(static_cast<unsigned char>(cell.front()))) {
            cell.remove_prefix(1);
            trimmed = true;
        } else if (std::isspace(static_cast<unsigned char>(cell.back()))) {
            cell.remove_suffix(1);
            trimmed = true;
        } else if (cell.starts_with(wideBlank)) {
            cell.remove_prefix(wideBlank.size());
            trimmed = true;
        } else if (cell.ends_with(wideBlank)) {
            cell.remove_suffix(wideBlank.size());
            trimmed = true;
        }
    }
    return cell;
}

std::optional<double> statementNumber(std::string_view cell) {
    cell = trimCell(cell);
    std::string plain;
    plain.reserve(cell.size());
    for (std::size_t i = 0; i < cell.size(); ++i) {
        // A comma only between groups of three digits: "1,234.50", never "5,0".
        const bool grouping = cell[i] == ',' && i > 0 && isDigit(cell[i - 1]) &&
                              i + 3 < cell.size() && allDigits(cell.substr(i + 1, 3)) &&
                              (i + 4 == cell.size() || !isDigit(cell[i + 4]));
        if (!grouping)
            plain += cell[i];
    }
    if (plain.empty())
        return std::nullopt;
    return parseMoney(plain);
}

std::optional<Date> statementDate(std::string_view cell) {
    cell = trimCell(cell);
    // A time after the date ("2023-02-14 09:31:22") is not the date's concern.
    if (const std::size_t blank = cell.find(' '); blank != std::string_view::npos)
        cell = cell.substr(0, blank);
    // A workbook's time of day is the fraction of its day number.
    if (const auto [days, fraction] = dayNumberParts(cell); !days.empty())
        return fromDayNumber(digitsValue(days));
    if (allDigits(cell)) {
        // Some brokers write a serial number or the time right after the date
        // (20240103000012): the date is the first eight digits.
        if (cell.size() >= 8 && cell.size() <= kLongestDateSerial) {
            return validDate(digitsValue(cell.substr(0, 4)), digitsValue(cell.substr(4, 2)),
                             digitsValue(cell.substr(6, 2)));
        }
        return std::nullopt;
    }
    std::array<std::string_view, 4> runs;
    std::size_t count = 0;
    if (!digitRuns(cell, runs, count) || count != 3 || runs[0].size() != 4 || runs[1].size() > 2 ||
        runs[2].size() > 2)
        return std::nullopt;
    return validDate(digitsValue(runs[0]), digitsValue(runs[1]), digitsValue(runs[2]));
}

std::optional<int> statementTime(std::string_view cell) {
    cell = trimCell(cell);
    // A date before the time ("2023-02-14 09:31:22") is not the time's concern.
    if (const std::size_t blank = cell.rfind(' '); blank != std::string_view::npos)
        cell = cell.substr(blank + 1);
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (const auto [days, fraction] = dayNumberParts(cell); !fraction.empty() || cell == "0") {
        // A workbook's time: the fraction of a day ("0.396" or the day number "45294.396").
        const double part = fraction.empty() ? 0.0 : std::stod("0." + std::string(fraction));
        const int seconds = std::min(static_cast<int>(std::lround(part * 86400.0)), 86399);
        return seconds / 3600 * 10000 + seconds / 60 % 60 * 100 + seconds % 60;
    }
    if (allDigits(cell)) {
        if (cell.size() < 5 || cell.size() > 6)
            return std::nullopt;
        const int value = digitsValue(cell);
        hour = value / 10000;
        minute = value / 100 % 100;
        second = value % 100;
    } else {
        std::size_t parts = 0;
        std::array<int, 3> values{};
        std::size_t i = 0;
        while (i <= cell.size()) {
            const std::size_t colon = std::min(cell.find(':', i), cell.size());
            const std::string_view part = cell.substr(i, colon - i);
            if (parts == values.size() || part.empty() || part.size() > 2 || !allDigits(part))
                return std::nullopt;
            values[parts++] = digitsValue(part);
            i = colon + 1;
        }
        if (parts < 2)
            return std::nullopt;
        hour = values[0];
        minute = values[1];
        second = values[2];
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return hour * 10000 + minute * 100 + second;
}

std::optional<std::string> statementCode(std::string_view cell) {
    // Blanks inside the code too ("600 000"): some exports pad it.
    std::string digits;
    for (const char c : trimCell(cell)) {
        if (c != ' ')
            digits += c;
    }
    if (!allDigits(digits) || digits.size() > 6)
        return std::nullopt;
    return std::string(6 - digits.size(), '0') + digits;
}

std::string_view withoutBracketedTail(std::string_view text) {
    static const std::string wideOpen = gbk("（");
    text = trimCell(text);
    const std::size_t cut = std::min(text.find('('), text.find(wideOpen));
    return cut == std::string_view::npos || cut == 0 ? text : trimCell(text.substr(0, cut));
}

}  // namespace tallivan
