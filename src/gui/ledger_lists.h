// The four ledger lists of the main window, in the controller's order, and their views' names.
#pragma once

#include <QString>
#include <array>
#include <cstddef>

#include "ledger/ledger_rows.h"

namespace tallivan::gui {

constexpr std::array<LedgerList, 4> kLedgerLists = {LedgerList::Holdings, LedgerList::Sold,
                                                    LedgerList::Trades, LedgerList::Funds};
constexpr std::size_t listIndex(LedgerList list) {
    return static_cast<std::size_t>(list);
}

// The object name of a list's view: "lsvBuy", "lsvSell", "lsvRec", "lsvFund".
QString listName(LedgerList list);

}  // namespace tallivan::gui
