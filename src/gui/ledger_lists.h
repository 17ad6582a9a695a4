// The four ledger lists of the main window: their columns (caption, width, alignment) and the
// report-style views that show them. Column 0 of each list carries only the row image.
#pragma once

#include <QString>
#include <QTableView>
#include <vector>

namespace tallivan::gui {

enum class LedgerList { Held, Sold, Trades, Funds };

struct ListColumn {
    const char* caption;
    int width;  // 0: hidden
    Qt::Alignment alignment;
};

const std::vector<ListColumn>& listColumns(LedgerList list);

// The object name of a list's view: "lsvBuy", "lsvSell", "lsvRec", "lsvFund".
QString listName(LedgerList list);

// A read-only, row-select, grid-lined view with the list's column headers and no rows yet.
QTableView* makeLedgerView(LedgerList list, QWidget* parent);

}  // namespace tallivan::gui
