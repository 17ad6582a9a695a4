// A statement given as a workbook (.xlsx): the rows of its first sheet as lines of cells.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "statement/statement_text.h"

namespace tallivan {

// True when the bytes begin as a zip archive does (a workbook is one).
bool looksLikeXlsx(std::string_view bytes);

// The rows of the workbook's first sheet, numbered as the sheet numbers them, each cell's
// text (strings, numbers as written, TRUE/FALSE) converted to GBK and placed at its column.
// Nothing when the archive or its sheet cannot be read.
std::optional<std::vector<StatementLine>> readXlsx(std::string_view bytes);

}  // namespace tallivan
