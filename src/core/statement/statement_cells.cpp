#include "statement/statement_cells.h"

#include <array>
#include <cctype>

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

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
    if (allDigits(cell)) {
        if (cell.size() == 8) {
            return validDate(digitsValue(cell.substr(0, 4)), digitsValue(cell.substr(4, 2)),
                             digitsValue(cell.substr(6, 2)));
        }
        if (cell.size() == 5)
            return fromDayNumber(digitsValue(cell));
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
    cell = trimCell(cell);
    if (!allDigits(cell) || cell.size() > 6)
        return std::nullopt;
    return std::string(6 - cell.size(), '0') + std::string(cell);
}

}  // namespace tallivan
