#include "ledger_lists.h"

namespace tallivan::gui {

QString listName(LedgerList list) {
    switch (list) {
        case LedgerList::Holdings:
            return "lsvBuy";
        case LedgerList::Sold:
            return "lsvSell";
        case LedgerList::Trades:
            return "lsvRec";
        case LedgerList::Funds:
            break;
    }
    return "lsvFund";
}

}  // namespace tallivan::gui
