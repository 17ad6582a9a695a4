#include "statement/statement_reader.h"

#include "statement/aligned_text_reader.h"
#include "statement/html_table_reader.h"
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

// The lines of a text statement, cut at the separator its header is written with; a text
// whose header has no separator but blanks is read as aligned columns.
std::vector<StatementLine> textLines(const std::string& text) {
    char best = '\t';
    std::size_t bestFields = 0;
    for (const char separator : {'\t', ','}) {
        const auto header = findHeader(splitStatementText(text, separator, kHeaderSearchLines));
        if (header && fieldsNamed(header->columns) > bestFields) {
            best = separator;
            bestFields = fieldsNamed(header->columns);
        }
    }
    if (bestFields == 0) {
        if (const auto header = findHeader(splitAtBlanks(text, kHeaderSearchLines)))
            return splitAlignedText(text, header->line);
    }
    return splitStatementText(text, best);
}

}  // namespace

StatementReading readStatement(std::string_view bytes) {
    StatementReading reading;
    std::vector<StatementLine> lines;
    // A workbook and a web page leave out the empty cells at the end of a row.
    bool shortRowsWhole = true;
    if (looksLikeXlsx(bytes)) {
        auto sheet = readXlsx(bytes);
        if (!sheet) {
            reading.problem = StatementProblem::Unreadable;
            return reading;
        }
        lines = std::move(*sheet);
    } else {
        const std::string text = statementTextAsGbk(bytes);
        if (looksLikeHtml(text)) {
            lines = readHtmlTables(text);
        } else {
            lines = textLines(text);
            shortRowsWhole = false;
        }
    }
    const std::optional<StatementHeader> header = findHeader(lines);
    if (!header) {
        reading.problem = StatementProblem::NoHeader;
        return reading;
    }
    reading.preview.header = lines[header->line].cells;
    reading.preview.entries = mapStatementTable(lines, *header, shortRowsWhole);
    return reading;
}

}  // namespace tallivan
