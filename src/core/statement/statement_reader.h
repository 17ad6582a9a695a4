// Reading a broker's statement (交割单, 对账单, 历史成交) from the bytes of its file: a text
// file (tab- or comma-separated, GBK, GB18030 or UTF-8) or a workbook (.xlsx).
#pragma once

#include <string_view>

#include "statement/statement_preview.h"

namespace tallivan {

enum class StatementProblem {
    None,
    Unreadable,  // a workbook whose archive or sheet cannot be read
    NoHeader,    // no line names the columns a statement must have
};

struct StatementReading {
    StatementProblem problem = StatementProblem::None;
    // The header's captions and one mapped entry per line below it that holds anything; the
    // entries are not yet compared with an account.
    StatementPreview preview;
};

StatementReading readStatement(std::string_view bytes);

}  // namespace tallivan
