// A statement written as text: its encoding made GBK, then its lines cut into cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallivan {

// One line of a statement: its number in the file (1 = the first) and its cells (GBK).
struct StatementLine {
    int number = 0;
    std::vector<std::string> cells;
    // The file ends inside a quoted cell of this line: the line was cut.
    bool cut = false;
};

// The text as GBK: UTF-8 (announced by its byte-order mark, or well-formed without one) is
// converted; anything else is taken as GBK or GB18030, whose four-byte characters GBK cannot
// hold become "?".
std::string statementTextAsGbk(std::string_view bytes);

// Cuts GBK text into lines (CR LF, LF or CR) and each line into cells at `separator`. A cell in
// double quotes may hold the separator, line breaks and doubled quotes; a cell written ="…"
// (a spreadsheet formula that keeps leading zeros) is the text between its quotes. At most
// `maxLines` lines are read (0: all).
std::vector<StatementLine> splitStatementText(std::string_view text, char separator,
                                              std::size_t maxLines = 0);

}  // namespace tallivan
