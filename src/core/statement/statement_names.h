// The names brokers give the columns and the operations of their statements, in one place: a
// broker that writes a caption or an operation its own way is one more name in these tables.
// The names are UTF-8 here; their users turn them into GBK once.
#pragma once

#include <optional>
#include <vector>

#include "statement/statement_columns.h"
#include "statement/statement_operations.h"

namespace tallivan {

// The captions of one field, the one that wins first when a statement has several. A field of
// nothing: the captions of single fees (手续费, 印花税 …).
struct CaptionNames {
    std::optional<StatementField> field;
    std::vector<const char*> captions;
};
const std::vector<CaptionNames>& captionNames();

// The texts of one meaning of an operation, with the reason shown for a skipped one.
struct OperationNames {
    StatementOperation operation = StatementOperation::Unknown;
    const char* reason = "";
    std::vector<const char*> texts;
};
const std::vector<OperationNames>& operationNames();

// The first words of the lines that end a statement's table (合计 …).
const std::vector<const char*>& tableEndWords();

}  // namespace tallivan
