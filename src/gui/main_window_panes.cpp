// The panes of the main window: account tree and fund details on the left, the pages with the
// four ledger lists and the budget panel on the right.
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "account_tree_model.h"
#include "account_tree_view.h"
#include "form_binder.h"
#include "ledger_lists.h"
#include "ledger_model.h"
#include "main_window.h"
#include "page_control.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

QWidget* panel(const char* name, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
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
    QWidget* pane = panel("Panel1", this);
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
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        panelEdits_[at] = edit;
    }
    holder->layout()->addWidget(group);
    return holder;
}

QWidget* MainWindow::buildRightPane() {
    QWidget* pane = panel("Panel3", this);
    auto* pages = new PageControl(80, pane);
    pages->setObjectName("PageControl1");

    for (LedgerList list : kLedgerLists) {
        ledgerModels_[listIndex(list)] = new LedgerModel(controller_, list, this);
        ledgerViews_[listIndex(list)] = makeLedgerView(ledgerModels_[listIndex(list)], pane);
    }
    const auto page = [this](const char* name, LedgerList list, QWidget* parent) {
        return listPage(name, ledgerViews_[listIndex(list)], parent);
    };
    QWidget* stocks = panel("tabGp", pages);
    auto* split = new QSplitter(Qt::Vertical, stocks);
    split->setObjectName("Splitter2");
    split->setChildrenCollapsible(false);
    split->addWidget(page("Panel4", LedgerList::Holdings, split));
    split->addWidget(page("Panel5", LedgerList::Sold, split));
    stocks->layout()->addWidget(split);
    pages->addTab(stocks, "股票(&G)");
    pages->addTab(page("tabJy", LedgerList::Trades, pages), "交易(&J)");
    pages->addTab(page("tabZj", LedgerList::Funds, pages), "资金(&Z)");
    pages->setCurrentIndex(0);

    pane->layout()->addWidget(pages);
    pane->layout()->addWidget(buildBudgetPanel());
    return pane;
}

QGroupBox* MainWindow::buildBudgetPanel() {
    // One row, each label above its field, in the form's field order (also the tab order).
    BudgetForm& form = controller_.budget();
    auto* group = new QGroupBox(toQt(form.caption()), this);
    group->setObjectName("panGpys");
    auto* grid = new QGridLayout(group);
    int column = 0;
    for (const Field& f : form.fields()) {
        QWidget* widget;
        if (f.kind == FieldKind::Combo) {
            auto* combo = new QComboBox(group);
            combo->setMaxVisibleItems(4);
            widget = combo;
        } else if (f.kind == FieldKind::Button) {
            widget = new QPushButton(toQt(f.label), group);
        } else {
            auto* edit = new QLineEdit(group);
            edit->setMinimumWidth(56);
            widget = edit;
        }
        widget->setObjectName(QString::fromStdString(f.name));
        if (f.kind != FieldKind::Button) {
            auto* label = new QLabel(toQt(f.label), group);
            label->setBuddy(widget);
            grid->addWidget(label, 0, column);
        }
        grid->addWidget(widget, 1, column);
        grid->setColumnStretch(column, f.kind == FieldKind::Edit ? 1 : 0);
        ++column;
    }
    budgetBinder_ = new FormBinder(form, group);
    return group;
}

}  // namespace tallivan::gui
