// The "YY-MM-DD" date texts of the lists and the newest-first order of the transaction and fund
// lists.
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "ledger/ledger_rows.h"

namespace tallivan {

namespace {

// "%02d".
void appendTwoDigits(std::string& out, int v) {
    if (v >= 0 && v < 100) {
        out += static_cast<char>('0' + v / 10);
        out += static_cast<char>('0' + v % 10);
        return;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    out += buf;
}

// The integer conversion the date readers use: leading blanks, an optional sign, then the
// digits up to the first other character (none gives 0).
std::int64_t leadingInteger(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    std::int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = v * 10 + (s[i] - '0');
    return negative ? -v : v;
}

// Characters `first`..`first`+1 (counted from 1) of the text, fewer at its end.
std::string_view charsAt(std::string_view text, std::size_t first) {
    return first - 1 < text.size() ? text.substr(first - 1, 2) : std::string_view{};
}

}  // namespace

std::string dateText(int year, int month, int day) {
    std::string out;
    out.reserve(8);
    appendTwoDigits(out, year % 100);
    out += '-';
    appendTwoDigits(out, month);
    out += '-';
    appendTwoDigits(out, day);
    return out;
}

std::int32_t dateKey(std::string_view text) {
    // The texts the lists write: read directly.
    const auto digit = [&text](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() >= 8 && digit(0) && digit(1) && digit(3) && digit(4) && digit(6) && digit(7)) {
        const auto two = [&text](std::size_t i) {
            return (text[i] - '0') * 10 + (text[i + 1] - '0');
        };
        const int yy = two(0);
        return (yy <= 80 ? 2000 + yy : 1900 + yy) * 10000 + two(3) * 100 + two(6);
    }
    const std::string_view yy = charsAt(text, 1);
    // The key is read from century, year, month and day written one after the other, so a
    // character that is not a digit ends the number there.
    char digits[8] = {};
    std::size_t n = 0;
    const char* century = leadingInteger(yy) <= 80 ? "20" : "19";
    for (std::string_view part :
         {std::string_view(century), yy, charsAt(text, 4), charsAt(text, 7)})
        for (char c : part)
            digits[n++] = c;
    return static_cast<std::int32_t>(leadingInteger(std::string_view(digits, n)));
}

int compareRowDates(const LedgerRow& a, const LedgerRow& b) {
    const std::int32_t ka = dateKey(a.text(kMovementDateColumn));
    const std::int32_t kb = dateKey(b.text(kMovementDateColumn));
    return kb - ka;  // keys have at most eight digits: no overflow
}

void sortByDate(std::vector<LedgerRow>& rows) {
    // Each row's key once, then ties kept in their order by the row index.
    std::vector<std::pair<std::int32_t, std::uint32_t>> order;
    order.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        order.emplace_back(dateKey(rows[i].text(kMovementDateColumn)),
                           static_cast<std::uint32_t>(i));
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    // Row i takes the row at order[i].second: follow each cycle of that permutation, so every
    // row is moved once or twice and nothing is copied.
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i].second == i)
            continue;
        LedgerRow held = std::move(rows[i]);
        std::size_t to = i;
        for (std::size_t from = order[to].second; from != i; from = order[to].second) {
            rows[to] = std::move(rows[from]);
            order[to].second = static_cast<std::uint32_t>(to);
            to = from;
        }
        rows[to] = std::move(held);
        order[to].second = static_cast<std::uint32_t>(to);
    }
}

}  // namespace tallivan
