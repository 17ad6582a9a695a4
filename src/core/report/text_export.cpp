#include "report/text_export.h"

#include "base/gbk.h"

namespace tallivan {

namespace {

constexpr std::size_t kCellWidth = 14;
constexpr std::size_t kMemoWidth = 30;
constexpr std::string_view kLineEnd = "\r\n";

struct ExportLayout {
    std::string_view prefix;  // UTF-8 in the source
    int cells;                // columns 1..cells are cells
    bool memoLast;            // column cells + 1 follows in the memo format
};

ExportLayout layoutOf(LedgerList list) {
    switch (list) {
        case LedgerList::Holdings:
            return {"持有_", 13, true};
        case LedgerList::Sold:
            return {"卖出_", 10, true};
        case LedgerList::Trades:
            return {"交易_", 10, false};
        case LedgerList::Funds:
            break;
    }
    // The two hidden columns of the fund list are never written.
    return {"资金_", 5, false};
}

// `text` in exactly `width` bytes: cut on a character boundary (so no half character is
// written; a blank then fills the byte), and padded with blanks on the left or the right.
void appendAligned(std::string& out, std::string_view text, std::size_t width, bool right) {
    std::string cut;
    if (text.size() > width) {
        cut = cutGbk(text, width);
        text = cut;
    }
    const std::size_t padding = width - text.size();
    if (right)
        out.append(padding, ' ');
    out.append(text);
    if (!right)
        out.append(padding, ' ');
}

// One line from the texts of columns 1, 2, ... as `textOf` gives them.
template <class TextOf>
void appendLine(std::string& out, const ExportLayout& layout, TextOf textOf) {
    for (int c = 1; c <= layout.cells; ++c)
        appendAligned(out, textOf(c), kCellWidth, true);
    if (layout.memoLast) {
        out.append(2, ' ');
        appendAligned(out, textOf(layout.cells + 1), kMemoWidth, false);
    }
    out.append(kLineEnd);
}

std::size_t lineLength(const ExportLayout& layout) {
    return static_cast<std::size_t>(layout.cells) * kCellWidth +
           (layout.memoLast ? 2 + kMemoWidth : 0) + kLineEnd.size();
}

}  // namespace

std::string exportFileName(LedgerList list, std::string_view nodeName, std::string_view extension) {
    return exportFileName(layoutOf(list).prefix, nodeName, extension);
}

std::string exportFileName(std::string_view prefix, std::string_view nodeName,
                           std::string_view extension) {
    std::string name = gbk(prefix);
    for (std::size_t i = 0; i < nodeName.size();) {
        const std::size_t length = gbkCharLength(nodeName, i);
        const bool separator = length == 1 && (nodeName[i] == '/' || nodeName[i] == '\\');
        if (separator)
            name += '_';
        else
            name.append(nodeName.substr(i, length));
        i += length;
    }
    name += extension;
    return name;
}

int exportedColumns(LedgerList list) {
    const ExportLayout layout = layoutOf(list);
    return layout.cells + (layout.memoLast ? 1 : 0);
}

std::string exportText(LedgerList list, const std::vector<LedgerRow>& rows) {
    const ExportLayout layout = layoutOf(list);
    const std::vector<ColumnInfo>& columns = columnsOf(list);
    std::string out;
    out.reserve(lineLength(layout) * (rows.size() + 1));
    appendLine(out, layout, [&columns](int c) -> std::string_view {
        return columns[static_cast<std::size_t>(c)].caption;
    });
    for (const LedgerRow& row : rows) {
        if (!row.isSummary())
            appendLine(out, layout, [&row](int c) { return row.text(c); });
    }
    return out;
}

}  // namespace tallivan
