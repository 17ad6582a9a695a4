// How the main window's views follow the controller: the account tree, the four lists and the
// fund details show its state after every command and event, and the events of the tree and
// the lists are handed to it.
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <utility>

#include "account_tree_model.h"
#include "account_tree_view.h"
#include "analysis_page.h"
#include "command_hints.h"
#include "filter_bar.h"
#include "ledger_lists.h"
#include "ledger_model.h"
#include "ledger_proxy.h"
#include "ledger_view.h"
#include "main_window.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

// Sets a view's selection to the row of `index` (none when invalid).
void selectInView(QItemSelectionModel* selection, const QModelIndex& index) {
    if (index.isValid()) {
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selection->clearSelection();
        selection->clearCurrentIndex();
    }
}

}  // namespace

void MainWindow::runCommand(CommandId command) {
    if (controller_.run(command))
        refreshViews();
}

void MainWindow::connectTree() {
    // A new tree shows every group open, the one built at start-up too.
    connect(treeModel_, &QAbstractItemModel::modelReset, tree_, &QTreeView::expandAll);
    tree_->expandAll();
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { treeSelectionChanged(current); });
    connect(tree_, &AccountTreeView::treeClicked, this,
            [this](bool pressSelected) { treeClicked(pressSelected); });
    connect(tree_, &AccountTreeView::treeDoubleClicked, this, [this] { treeDoubleClicked(); });
    connect(treeModel_, &AccountTreeModel::renamed, this,
            [this](int position, const QString& name) { groupRenamed(position, name); });
}

void MainWindow::treeSelectionChanged(const QModelIndex& current) {
    if (quiet_)
        return;
    controller_.selectNode(current.isValid()
                               ? std::optional<int>(AccountTreeModel::positionOf(current))
                               : std::nullopt);
    refreshViews();
}

void MainWindow::treeClicked(bool pressSelected) {
    // A click whose press selected the node has opened it already: a locked account asks for
    // its password once per click, not twice.
    if (quiet_ || pressSelected)
        return;
    controller_.clickNode();
    refreshViews();
}

void MainWindow::treeDoubleClicked() {
    // Editing the account follows the availability of its menu command.
    runCommand(CommandId::EditAccount);
}

void MainWindow::groupRenamed(int position, const QString& name) {
    if (quiet_)
        return;
    controller_.renameGroup(position, fromQt(name));
    refreshViews();
}

std::optional<int> MainWindow::shownSelection(LedgerList list) const {
    const LedgerView* view = ledgerViews_[listIndex(list)];
    const QModelIndexList rows = view->selectionModel()->selectedIndexes();
    if (rows.isEmpty())
        return std::nullopt;
    const int row = view->shown()->sourceRow(rows.first().row());
    return row < 0 ? std::nullopt : std::optional<int>(row);
}

void MainWindow::connectList(LedgerList list) {
    LedgerView* view = ledgerViews_[listIndex(list)];
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, list] { listSelectionChanged(list); });
    // A click on the stock row already selected marks its transactions again.
    if (list == LedgerList::Holdings || list == LedgerList::Sold)
        connect(view, &QAbstractItemView::clicked, this,
                [this, list] { listSelectionChanged(list); });
    // A double-click runs the list's command: the stock lists edit the position, the
    // transaction list edits the transaction, the fund list asks to delete the movement.
    if (list == LedgerList::Holdings || list == LedgerList::Sold) {
        connect(view, &QAbstractItemView::doubleClicked, this, [this, list] {
            controller_.setFocusedList(list);
            runCommand(CommandId::EditStock);
        });
    } else if (list == LedgerList::Trades) {
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this] { runCommand(CommandId::EditTrade); });
    } else if (list == LedgerList::Funds) {
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this] { runCommand(CommandId::DeleteFund); });
    }
}

void MainWindow::followKeyboardFocus() {
    // The stock commands work on the sold list while it has the keyboard focus.
    focusConnection_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            controller_.setFocusedList(now == ledgerViews_[listIndex(LedgerList::Sold)]
                                           ? LedgerList::Sold
                                           : LedgerList::Holdings);
        });
}

void MainWindow::listSelectionChanged(LedgerList list) {
    if (quiet_)
        return;
    controller_.selectRow(list, shownSelection(list));
    refreshViews();
}

void MainWindow::filterChanged() {
    const RowFilter filter = filterBar_->filter();
    for (LedgerView* view : ledgerViews_)
        view->shown()->setFilter(filter);
    // A selected row the filter hides is no longer selected: commands need a row one can see.
    for (LedgerList list : kLedgerLists) {
        const std::optional<int> shown = shownSelection(list);
        if (shown != controller_.selectedRow(list))
            controller_.selectRow(list, shown);
    }
    refreshViews();
}

void MainWindow::refreshViews() {
    if (controller_.viewRevision() != shownRevision_) {
        shownRevision_ = controller_.viewRevision();
        const bool wasQuiet = std::exchange(quiet_, true);
        treeModel_->refresh();
        const QString hint = toQt(controller_.treeHint());
        tree_->setToolTip(shortHint(hint));
        tree_->setStatusTip(longHint(hint));
        for (LedgerModel* model : ledgerModels_)
            model->refresh();
        const bool opened = controller_.openings() != shownOpenings_;
        shownOpenings_ = controller_.openings();
        // A ledger opened afresh shows in its own order, newest transactions in view.
        if (opened)
            showOriginalOrder();
        const QString emptyHint = toQt(controller_.emptyLedgerHint());
        for (LedgerView* view : ledgerViews_)
            view->setHint(emptyHint);
        for (std::size_t i = 0; i < panelEdits_.size(); ++i)
            panelEdits_[i]->setText(toQt(controller_.totalsPanel().texts[i]));
        showFrozen();
        analysisPage_->refresh();
        syncSelections();
        if (opened) {
            for (LedgerView* view : ledgerViews_)
                view->scrollToTop();
        }
        quiet_ = wasQuiet;
    }
    applyCommandStates();
}

void MainWindow::syncSelections() {
    const std::optional<int> node = controller_.selectedNode();
    const QModelIndex shownNode = node ? treeModel_->indexOf(*node) : QModelIndex();
    if (tree_->currentIndex() != shownNode ||
        (shownNode.isValid() && !tree_->selectionModel()->isSelected(shownNode)))
        selectInView(tree_->selectionModel(), shownNode);
    for (LedgerList list : kLedgerLists) {
        const std::optional<int> row = controller_.selectedRow(list);
        if (row == shownSelection(list))
            continue;
        const LedgerView* view = ledgerViews_[listIndex(list)];
        const int shown = row ? view->shown()->shownRow(*row) : -1;
        selectInView(view->selectionModel(),
                     shown < 0 ? QModelIndex() : view->model()->index(shown, 0));
    }
}

}  // namespace tallivan::gui
