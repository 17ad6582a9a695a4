// A statement saved as a web page: many trading clients write their "Excel" export (.xls) as
// an HTML table. Its rows become lines of cells.
#pragma once

#include <string_view>
#include <vector>

#include "statement/statement_text.h"

namespace tallivan {

// True when the text begins as a web page or an HTML table does (blanks before it allowed).
bool looksLikeHtml(std::string_view text);

// The rows of every table of the page, in order, each <td> or <th> a cell with its tags left
// out and its character references resolved; the tables are parted by a blank line. The
// text is GBK; the lines are numbered by their row, 1 = the first.
std::vector<StatementLine> readHtmlTables(std::string_view text);

}  // namespace tallivan
