#include "ledger_lists.h"

#include <QHeaderView>
#include <algorithm>

#include "ledger_model.h"

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

QTableView* makeLedgerView(LedgerModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(listName(model->list()));
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(std::max(view->fontMetrics().height() + 4, 18));
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setIconSize(QSize(16, 16));
    view->setShowGrid(true);
    view->setWordWrap(false);
    // The ledger's widths suit digits 6 pixels wide; a wider font widens the text columns alike.
    const qreal scale = std::max(1.0, view->fontMetrics().horizontalAdvance('0') / 6.0);
    const auto& columns = columnsOf(model->list());
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const int width = columns[static_cast<std::size_t>(i)].width;
        view->setColumnWidth(i, i == 0 ? width : qRound(width * scale));
        view->setColumnHidden(i, width == 0);
    }
    return view;
}

}  // namespace tallivan::gui
