// The report-style views of the four ledger lists: read-only, one whole row selected at a
// time, grid lines, the column widths of the ledger (width 0 hides a column; text columns grow
// with a font wider than the one they were made for) and rows of one fixed height, so a list of
// a hundred thousand rows scrolls as fast as a short one.
#pragma once

#include <QString>
#include <QTableView>
#include <array>
#include <cstddef>

#include "ledger/ledger_rows.h"

namespace tallivan::gui {

class LedgerModel;

constexpr std::array<LedgerList, 4> kLedgerLists = {LedgerList::Holdings, LedgerList::Sold,
                                                    LedgerList::Trades, LedgerList::Funds};
constexpr std::size_t listIndex(LedgerList list) {
    return static_cast<std::size_t>(list);
}

// The object name of a list's view: "lsvBuy", "lsvSell", "lsvRec", "lsvFund".
QString listName(LedgerList list);

QTableView* makeLedgerView(LedgerModel* model, QWidget* parent);

}  // namespace tallivan::gui
