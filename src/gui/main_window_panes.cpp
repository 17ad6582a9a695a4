// The panes of the main window: account tree and fund details on the left, the pages with the
// four ledger lists and the budget panel on the right.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "form_binder.h"
#include "ledger_lists.h"
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

QWidget* listPage(const char* name, LedgerList list, QWidget* parent) {
    QWidget* page = panel(name, parent);
    page->layout()->addWidget(makeLedgerView(list, page));
    return page;
}

}  // namespace

QWidget* MainWindow::buildLeftPane() {
    QWidget* pane = panel("Panel1", this);
    auto* tree = new QTreeView(pane);
    tree->setObjectName("trvAccount");
    tree->setHeaderHidden(true);
    tree->setIndentation(19);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selection stays visible while the tree does not have the focus.
    QPalette palette = tree->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    tree->setPalette(palette);
    pane->layout()->addWidget(tree);
    pane->layout()->addWidget(buildFundPanel());
    pane->setMinimumWidth(180);
    return pane;
}

QWidget* MainWindow::buildFundPanel() {
    QWidget* holder = panel("Panel2", this);
    auto* group = new QGroupBox("资金明细", holder);
    group->setObjectName("grpAllStk");
    auto* grid = new QGridLayout(group);
    const struct {
        const char* name;
        const char* label;
    } fields[] = {{"txtZjze", "资金总额"}, {"txtZjdb", "资金损耗"}, {"txtZjxe", "资金现额"},
                  {"txtCcje", "持仓金额"}, {"txtZjye", "资金余额"}, {"txtJxz", "净现值"},
                  {"txtJyl", "净盈利"},    {"txtYll", "盈利率"},    {"txtTzl", "投资率"}};
    int row = 0;
    for (const auto& f : fields) {
        auto* edit = new QLineEdit("       0.00", group);
        edit->setObjectName(f.name);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        auto* label = new QLabel(QString::fromUtf8(f.label), group);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    holder->layout()->addWidget(group);
    return holder;
}

QWidget* MainWindow::buildRightPane() {
    QWidget* pane = panel("Panel3", this);
    auto* pages = new PageControl(80, pane);
    pages->setObjectName("PageControl1");

    QWidget* stocks = panel("tabGp", pages);
    auto* split = new QSplitter(Qt::Vertical, stocks);
    split->setObjectName("Splitter2");
    split->setChildrenCollapsible(false);
    split->addWidget(listPage("Panel4", LedgerList::Held, split));
    split->addWidget(listPage("Panel5", LedgerList::Sold, split));
    stocks->layout()->addWidget(split);
    pages->addTab(stocks, "股票(&G)");
    pages->addTab(listPage("tabJy", LedgerList::Trades, pages), "交易(&J)");
    pages->addTab(listPage("tabZj", LedgerList::Funds, pages), "资金(&Z)");
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
