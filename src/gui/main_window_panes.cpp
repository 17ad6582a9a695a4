// The panes of the main window: account tree and fund details on the left, the pages with the
// four ledger lists below the filter box, and the budget panel on the right.
#include <QDate>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "account_tree_model.h"
#include "account_tree_view.h"
#include "analysis_page.h"
#include "budget_panel.h"
#include "filter_bar.h"
#include "ledger_lists.h"
#include "ledger_model.h"
#include "ledger_view.h"
#include "main_window.h"
#include "page_control.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

// The room kept between a pane's frames and the window's edges.
constexpr int kPaneMargin = 4;

QWidget* panel(const char* name, QWidget* parent, QMargins margins = {}) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(margins);
    return widget;
}

QWidget* listPage(const char* name, QTableView* view, QWidget* parent) {
    QWidget* page = panel(name, parent);
    view->setParent(page);
    page->layout()->addWidget(view);
    return page;
}

}  // namespace

QWidget* MainWindow::buildLeftPane() {
    QWidget* pane = panel("Panel1", this, {kPaneMargin, 0, 0, kPaneMargin});
    tree_ = new AccountTreeView(pane);
    treeModel_ = new AccountTreeModel(controller_, tree_);
    tree_->setModel(treeModel_);
    pane->layout()->addWidget(tree_);
    pane->layout()->addWidget(buildFundPanel());
    pane->setMinimumWidth(180);
    return pane;
}

QWidget* MainWindow::buildFundPanel() {
    QWidget* holder = panel("Panel2", this);
    auto* group = new QGroupBox("资金明细", holder);
    group->setObjectName("grpAllStk");
    auto* grid = new QGridLayout(group);
    // The values are right-aligned in eleven characters: a fixed pitch keeps the digits in line.
    const QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int row = 0; row < kPanelFieldCount; ++row) {
        const auto at = static_cast<std::size_t>(row);
        auto* edit = new QLineEdit(toQt(controller_.totalsPanel().texts[at]), group);
        edit->setObjectName(panelControlNames()[at]);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        edit->setFont(digits);
        auto* label = new QLabel(toQt(panelCaptions()[at]), group);
        label->setBuddy(edit);
        // The 申购冻结 line has its place after 资金余额.
        const int gridRow = row > kFrozenAfterField ? row + 1 : row;
        grid->addWidget(label, gridRow, 0);
        grid->addWidget(edit, gridRow, 1);
        panelEdits_[at] = edit;
    }
    frozenEdit_ = new QLineEdit(group);
    frozenEdit_->setObjectName(kFrozenControlName);
    frozenEdit_->setReadOnly(true);
    frozenEdit_->setFocusPolicy(Qt::NoFocus);
    frozenEdit_->setAlignment(Qt::AlignRight);
    frozenEdit_->setFont(digits);
    frozenLabel_ = new QLabel(toQt(frozenCaption()), group);
    frozenLabel_->setBuddy(frozenEdit_);
    grid->addWidget(frozenLabel_, kFrozenAfterField + 1, 0);
    grid->addWidget(frozenEdit_, kFrozenAfterField + 1, 1);
    showFrozen();
    holder->layout()->addWidget(group);
    return holder;
}

void MainWindow::showFrozen() {
    const std::string& frozen = controller_.totalsPanel().frozen;
    frozenEdit_->setText(toQt(frozen));
    frozenEdit_->setVisible(!frozen.empty());
    frozenLabel_->setVisible(!frozen.empty());
}

QWidget* MainWindow::buildRightPane() {
    QWidget* pane = panel("Panel3", this, {0, kPaneMargin, kPaneMargin, kPaneMargin});
    const Date today = controller_.clock().today();
    filterBar_ = new FilterBar(QDate(today.year, today.month, today.day), pane);
    connect(filterBar_, &FilterBar::changed, this, &MainWindow::filterChanged);
    auto* pages = new PageControl(80, pane);
    pages->setObjectName("PageControl1");

    for (LedgerList list : kLedgerLists) {
        ledgerModels_[listIndex(list)] = new LedgerModel(controller_, list, this);
        ledgerViews_[listIndex(list)] = new LedgerView(ledgerModels_[listIndex(list)], pane);
    }
    const auto page = [this](const char* name, LedgerList list, QWidget* parent) {
        return listPage(name, ledgerViews_[listIndex(list)], parent);
    };
    QWidget* stocks = panel("tabGp", pages);
    stockSplitter_ = new QSplitter(Qt::Vertical, stocks);
    stockSplitter_->setObjectName("Splitter2");
    stockSplitter_->setChildrenCollapsible(false);
    stockSplitter_->addWidget(page("Panel4", LedgerList::Holdings, stockSplitter_));
    stockSplitter_->addWidget(page("Panel5", LedgerList::Sold, stockSplitter_));
    stocks->layout()->addWidget(stockSplitter_);
    pages->addTab(stocks, "股票(&G)");
    pages->addTab(page("tabJy", LedgerList::Trades, pages), "交易(&J)");
    pages->addTab(page("tabZj", LedgerList::Funds, pages), "资金(&Z)");
    analysisPage_ = new AnalysisPage(controller_, pages);
    pages->addTab(analysisPage_, "分析(&X)");
    pages->setCurrentIndex(0);

    pane->layout()->addWidget(filterBar_);
    pane->layout()->addWidget(pages);
    budget_ = new BudgetPanel(controller_.budget(), pane);
    pane->layout()->addWidget(budget_);
    return pane;
}

}  // namespace tallivan::gui
