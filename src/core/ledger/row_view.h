// What a person sees of a list: its rows narrowed by a filter and ordered by a column. The rows
// themselves stay as they are (they are the ledger's working copy); a view is a list of row
// indexes into them. The summary rows of the stock lists always come first and always show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger_rows.h"

namespace tallivan {

struct RowFilter {
    // GBK text looked for in the codes, names and memos (ASCII letters in either case); empty
    // matches every row.
    std::string text;
    // An inclusive range of dates (YYYYMMDD) for transactions and fund movements; 0 leaves that
    // end open. The stock lists ignore it.
    std::int32_t fromDate = 0;
    std::int32_t toDate = 0;

    bool empty() const { return text.empty() && fromDate == 0 && toDate == 0; }
};

// Whether `needle` occurs in the GBK text `haystack` starting on a character boundary (so the
// second byte of one character and the first of the next never make a match); ASCII letters
// match in either case.
bool containsText(std::string_view haystack, std::string_view needle);

// Whether a row of `list` passes `filter`; summary rows always do.
bool rowMatches(LedgerList list, const LedgerRow& row, const RowFilter& filter);

// No column: the rows keep the order the ledger gives them.
constexpr int kOriginalOrder = -1;

// The indexes of the rows that pass `filter`, the summary rows first, then the others ordered by
// `column`: numbers (the right-aligned columns) by value with empty texts lowest, dates by the
// day they stand for, other texts by their GBK bytes (which puts common Chinese names in pinyin
// order), the image column by image; rows that compare equal keep their order. `descending`
// reverses the comparison, not the order of equal rows.
std::vector<int> viewOfRows(LedgerList list, const std::vector<LedgerRow>& rows,
                            const RowFilter& filter, int column, bool descending);

}  // namespace tallivan
