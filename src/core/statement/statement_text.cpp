#include "statement/statement_text.h"

#include "base/gbk.h"

namespace tallivan {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The text of a ="…" cell between its quotes, with doubled quotes made single.
std::string formulaText(std::string_view cell) {
    std::string out;
    cell = cell.substr(2, cell.size() - 3);
    for (std::size_t i = 0; i < cell.size(); ++i) {
        out += cell[i];
        if (cell[i] == '"' && i + 1 < cell.size() && cell[i + 1] == '"')
            ++i;
    }
    return out;
}

std::string finishCell(std::string cell) {
    if (cell.size() >= 3 && cell[0] == '=' && cell[1] == '"' && cell.back() == '"')
        return formulaText(cell);
    return cell;
}

}  // namespace

std::string statementTextAsGbk(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        return utf8ToGbk(bytes.substr(kUtf8Mark.size()));
    // GBK text is almost never well-formed UTF-8 once it holds a Chinese character.
    if (isUtf8(bytes))
        return utf8ToGbk(bytes);
    return gb18030ToGbk(bytes);
}

std::vector<StatementLine> splitStatementText(std::string_view text, char separator,
                                              std::size_t maxLines) {
    std::vector<StatementLine> lines;
    StatementLine line;
    line.number = 1;
    std::string cell;
    bool quoted = false;      // inside a cell's quotes
    bool cellQuoted = false;  // the cell began with a quote
    int number = 1;
    const auto endCell = [&] {
        line.cells.push_back(finishCell(std::move(cell)));
        cell.clear();
        cellQuoted = false;
    };
    const auto endLine = [&] {
        endCell();
        lines.push_back(std::move(line));
        line = StatementLine{};
        line.number = number;
    };
    std::size_t i = 0;
    while (i < text.size() && (maxLines == 0 || lines.size() < maxLines)) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                i += 2;
                continue;
            }
            if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++number;
                cell += c;
            }
            ++i;
            continue;
        }
        if (c == '"' && cell.empty() && !cellQuoted) {
            quoted = true;
            cellQuoted = true;
        } else if (c == separator) {
            endCell();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++number;
            endLine();
        } else {
            cell += c;
        }
        ++i;
    }
    // The last line, unless the text ended with its line break.
    if ((maxLines == 0 || lines.size() < maxLines) &&
        (!cell.empty() || !line.cells.empty() || quoted || cellQuoted)) {
        line.cut = quoted;
        endCell();
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tallivan
