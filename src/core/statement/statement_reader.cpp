#include "statement/statement_reader.h"

#include "statement/statement_columns.h"
#include "statement/statement_entries.h"
#include "statement/statement_text.h"
#include "statement/xlsx_reader.h"

namespace tallivan {

namespace {

// Enough lines to pass the title lines and reach the header.
constexpr std::size_t kHeaderSearchLines = 32;

std::size_t fieldsNamed(const StatementColumns& columns) {
    std::size_t n = columns.feeParts.size();
    for (const auto& column : columns.at)
        n += column ? 1 : 0;
    return n;
}

// The lines of a text statement, cut at the separator its header is written with.
std::vector<StatementLine> textLines(std::string_view bytes) {
    const std::string text = statementTextAsGbk(bytes);
    char best = '\t';
    std::size_t bestFields = 0;
    for (const char separator : {'\t', ','}) {
        const auto header = findHeader(splitStatementText(text, separator, kHeaderSearchLines));
        if (header && fieldsNamed(header->columns) > bestFields) {
            best = separator;
            bestFields = fieldsNamed(header->columns);
        }
    }
    return splitStatementText(text, best);
}

}  // namespace

StatementReading readStatement(std::string_view bytes) {
    StatementReading reading;
    std::vector<StatementLine> lines;
    const bool workbook = looksLikeXlsx(bytes);
    if (workbook) {
        auto sheet = readXlsx(bytes);
        if (!sheet) {
            reading.problem = StatementProblem::Unreadable;
            return reading;
        }
        lines = std::move(*sheet);
    } else {
        lines = textLines(bytes);
    }
    const std::optional<StatementHeader> header = findHeader(lines);
    if (!header) {
        reading.problem = StatementProblem::NoHeader;
        return reading;
    }
    reading.preview.header = lines[header->line].cells;
    for (std::size_t i = header->line + 1; i < lines.size(); ++i) {
        StatementLine& line = lines[i];
        if (isBlankLine(line))
            continue;
        // A workbook leaves its empty cells out, the last ones of a row too.
        if (workbook && line.cells.size() < reading.preview.header.size())
            line.cells.resize(reading.preview.header.size());
        reading.preview.entries.push_back(mapStatementLine(line, header->columns));
    }
    return reading;
}

}  // namespace tallivan
