#include "ledger/row_view.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tallivan {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// The columns the filter's text is looked for in.
std::vector<int> searchedColumns(LedgerList list) {
    switch (list) {
        case LedgerList::Holdings:
            return {column::kCode, column::kName, column::kHeldMemo};
        case LedgerList::Sold:
            return {column::kCode, column::kName, column::kSoldMemo};
        case LedgerList::Trades:
            return {column::kTradeCode, column::kTradeCode + 1};
        case LedgerList::Funds:
            break;
    }
    return {column::kFundTitle, column::kFundMemo};
}

bool hasDates(LedgerList list) {
    return list == LedgerList::Trades || list == LedgerList::Funds;
}

bool isDateColumn(LedgerList list, int c) {
    switch (list) {
        case LedgerList::Holdings:
            return c == column::kHeldDate;
        case LedgerList::Sold:
            return c == column::kSoldDate;
        case LedgerList::Trades:
        case LedgerList::Funds:
            break;
    }
    return c == column::kDate;
}

// A number column's text as a value; empty or unreadable texts are lower than every number.
double numberKey(std::string_view text) {
    if (!text.empty() && text.back() == '%')
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc())
        return -std::numeric_limits<double>::infinity();
    return value;
}

}  // namespace

bool containsText(std::string_view haystack, std::string_view needle) {
    if (needle.empty())
        return true;
    for (std::size_t at = 0; at + needle.size() <= haystack.size();
         at += isLeadByte(haystack[at]) ? 2 : 1) {
        std::size_t i = 0;
        while (i < needle.size() && foldAscii(haystack[at + i]) == foldAscii(needle[i]))
            ++i;
        if (i == needle.size())
            return true;
    }
    return false;
}

bool rowMatches(LedgerList list, const LedgerRow& row, const RowFilter& filter) {
    if (row.isSummary())
        return true;
    if (hasDates(list) && (filter.fromDate != 0 || filter.toDate != 0)) {
        const std::int32_t date = dateKey(row.text(column::kDate));
        if ((filter.fromDate != 0 && date < filter.fromDate) ||
            (filter.toDate != 0 && date > filter.toDate))
            return false;
    }
    if (filter.text.empty())
        return true;
    for (int c : searchedColumns(list)) {
        if (containsText(row.text(c), filter.text))
            return true;
    }
    return false;
}

std::vector<int> viewOfRows(LedgerList list, const std::vector<LedgerRow>& rows,
                            const RowFilter& filter, int column, bool descending) {
    std::vector<int> shown;
    shown.reserve(rows.size());
    std::size_t summaries = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rowMatches(list, rows[i], filter))
            continue;
        shown.push_back(static_cast<int>(i));
        if (rows[i].isSummary()) {
            // Summary rows lead; they stand first in the ledger too.
            std::rotate(shown.begin() + static_cast<std::ptrdiff_t>(summaries), shown.end() - 1,
                        shown.end());
            ++summaries;
        }
    }
    const auto& columns = columnsOf(list);
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return shown;
    const auto first = shown.begin() + static_cast<std::ptrdiff_t>(summaries);
    const auto row = [&rows](int i) -> const LedgerRow& {
        return rows[static_cast<std::size_t>(i)];
    };

    if (column != 0 && !isDateColumn(list, column) &&
        columns[static_cast<std::size_t>(column)].align != ColumnAlign::Right) {
        std::stable_sort(first, shown.end(), [&](int a, int b) {
            return descending ? row(b).text(column) < row(a).text(column)
                              : row(a).text(column) < row(b).text(column);
        });
        return shown;
    }
    // Numbers, dates and images: one key per row, worked out once.
    std::vector<double> keys(rows.size());
    for (auto it = first; it != shown.end(); ++it) {
        const LedgerRow& r = row(*it);
        double& key = keys[static_cast<std::size_t>(*it)];
        if (column == 0)
            key = r.image;
        else if (isDateColumn(list, column))
            key = dateKey(r.text(column));
        else
            key = numberKey(r.text(column));
    }
    const auto key = [&keys](int i) { return keys[static_cast<std::size_t>(i)]; };
    std::stable_sort(first, shown.end(),
                     [&](int a, int b) { return descending ? key(b) < key(a) : key(a) < key(b); });
    return shown;
}

}  // namespace tallivan
