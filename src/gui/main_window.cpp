#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "form_binder.h"
#include "images.h"

namespace tallivan::gui {

namespace {

struct MenuCommand {
    const char* name;
    const char* caption;  // empty: a separator
    const char* shortcut;
    const char* hint;  // "tool tip|status text", or one text for both
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<MenuCommand> commands;
};

const std::vector<Menu>& menuTable() {
    static const std::vector<Menu> menus = {
        {"mnuFile",
         "文件(&F)",
         {{"mnuOption", "选项(&O)...", "", ""},
          {"mnuConfig", "设置参数(&P)...", "", "设置参数"},
          {"mnuStkCode", "证券名称(&T)...", "Ctrl+T", ""},
          {"N3", "", "", ""},
          {"mnuExportTxt", "文本文件(&T)", "", ""},
          {"mnuReadSpj", "更新现价(&R)...", "Ctrl+R", "更新现价(Ctrl+R)|更新持有股票的现价"},
          {"N12", "", "", ""},
          {"mnuExit", "退出(&X)", "", "退出应用程序"}}},
        {"mnuAccount",
         "账户(&O)",
         {{"mnuAddAcc", "添加账户(&A)...", "F7", "添加股票帐户"},
          {"mnuEditAcc", "修改账户(&E)...", "Ctrl+F7", "修改股票帐户(Ctrl+F7)"},
          {"mnuDelAcc", "删除账户(&D)...", "Ctrl+D", "删除股票帐户"},
          {"mnuEditPwd", "修改密码(&P)...", "Ctrl+P", ""},
          {"N7", "", "", ""},
          {"mnuFund", "存取资金(&F)...", "F8", ""},
          {"mnuDelFund", "删除资金(&C)...", "Ctrl+F8", ""}}},
        {"mnuStock",
         "股票(&S)",
         {{"mnuBuyStk", "买入股票(&B)...", "F11", "买入股票(F11)||买入股票(F11)"},
          {"mnuApplyStk", "申购新股(&A)...", "Ctrl+F11", ""},
          {"N4", "", "", ""},
          {"mnuSellStk", "卖出股票(&S)...", "F12", "卖出股票(F12)"},
          {"mnuPeiStk", "配股(&P)...", "Ctrl+F12", ""},
          {"mnuSendStk", "送股(&G)...", "", ""},
          {"mnuFh", "分红(&F)...", "", ""},
          {"mnuApplyStkOk", "申购中签(&Z)...", "", ""},
          {"mnuApplyStkNo", "申购未中签(&N)...", "Ctrl+N", ""},
          {"N2", "", "", ""},
          {"mnuEditStk", "修改股票(&C)...", "F9", "修改股票(F9)|修改股票"},
          {"mnuDelStk", "删除股票(&H)...", "Ctrl+F9", "删除股票(Ctrl+F9)"},
          {"N10", "", "", ""},
          {"mnuEditRec", "修改交易(&E)...", "F10", "修改交易(F10)|修改交易记录"},
          {"mnuDelRec", "撤消交易(&D)...", "Ctrl+F10", "撤消交易(Ctrl+F10)"}}},
        {"H1",
         "帮助(&H)",
         {{"mnuHelp", "内容(&C)...", "", ""}, {"mnuAbout", "关于(&A)...", "", "关于"}}},
    };
    return menus;
}

// The short part of a hint (before the first "|") and the long part (after it).
QString shortHint(const QString& hint) {
    return hint.section('|', 0, 0);
}
QString longHint(const QString& hint) {
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace

MainWindow::MainWindow(Controller& controller, QWidget* parent)
    : QMainWindow(parent), controller_(controller) {
    setObjectName("wndMain");
    setWindowTitle("Tallivan");
    buildMenus();
    buildToolBar();
    buildStatusBar();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("Splitter1");
    splitter->addWidget(buildLeftPane());
    splitter->addWidget(buildRightPane());
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    resize(1000, 700);
    applyCommandStates();
}

void MainWindow::applyCommandStates() {
    const CommandStates& states = controller_.commands();
    for (const auto& [name, action] : actions_) {
        const std::string command = name.toStdString();
        // A command inside a disabled menu runs neither from the menu nor by its shortcut.
        action->setEnabled(action->menu() ? states.enabled(command) : states.canRun(command));
        action->setVisible(states.visible(command));
    }
}

QAction* MainWindow::action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::buildMenus() {
    for (const Menu& m : menuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(m.name);
        QMenu* target = menu;
        for (const MenuCommand& c : m.commands) {
            if (QString(c.name) == "mnuExportTxt") {
                target = menu->addMenu(QString::fromUtf8("导出数据(&E)"));
                target->setObjectName("mnuExport");
            }
            if (!*c.caption) {
                menu->addSeparator()->setObjectName(c.name);
                continue;
            }
            QAction* a = target->addAction(QString::fromUtf8(c.caption));
            a->setObjectName(c.name);
            if (*c.shortcut)
                a->setShortcut(QKeySequence(QString::fromUtf8(c.shortcut)));
            const QString hint = QString::fromUtf8(c.hint);
            if (!hint.isEmpty()) {
                a->setToolTip(shortHint(hint));
                a->setStatusTip(longHint(hint));
            }
            actions_[c.name] = a;
            target = menu;
        }
        actions_[m.name] = menu->menuAction();
    }
    actions_["mnuEditPwd"]->setVisible(false);
    connect(actions_["mnuExit"], &QAction::triggered, this, &QWidget::close);
    connect(actions_["mnuConfig"], &QAction::triggered, this, [this] { controller_.configure(); });
    connect(actions_["mnuAbout"], &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildToolBar() {
    QToolBar* bar = addToolBar(QString::fromUtf8("工具栏"));
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const struct {
        const char* name;
        const char* command;
        int image;
    } buttons[] = {{"cmdBuyStk", "mnuBuyStk", 0},   {"cmdSellStk", "mnuSellStk", 1},
                   {"ToolButton1", nullptr, -1},    {"cmdEditStk", "mnuEditStk", 2},
                   {"cmdEditRec", "mnuEditRec", 3}, {"ToolButton4", nullptr, -1},
                   {"cmdReadSpj", "mnuReadSpj", 4}, {"ToolButton6", nullptr, -1},
                   {"ToolButton7", "mnuAbout", 5}};
    for (const auto& b : buttons) {
        if (!b.command) {
            bar->addSeparator()->setObjectName(b.name);
            continue;
        }
        QAction* menuAction = actions_[b.command];
        auto* a = new QAction(toolBarImage(b.image), menuAction->text(), this);
        a->setObjectName(b.name);
        a->setToolTip(menuAction->toolTip());
        a->setStatusTip(menuAction->statusTip());
        connect(a, &QAction::triggered, menuAction, &QAction::trigger);
        bar->addAction(a);
        actions_[b.name] = a;
    }
}

void MainWindow::buildStatusBar() {
    const int widths[5] = {450, 50, 72, 50, 30};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFixedWidth(widths[i]);
        if (i >= 1 && i <= 3)
            panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panel, i == 0 ? 0 : 0);
        statusPanels_[i] = panel;
    }
    statusPanels_[2]->setText(toQt(controller_.statusDate()));
    statusPanels_[3]->setText(toQt(controller_.statusWeekday()));
}

QWidget* MainWindow::buildLeftPane() {
    auto* pane = new QWidget(this);
    pane->setObjectName("Panel1");
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tree = new QTreeWidget(pane);
    tree->setObjectName("trvAccount");
    tree->setHeaderHidden(true);
    tree->setIndentation(19);
    layout->addWidget(tree, 1);

    auto* group = new QGroupBox(QString::fromUtf8("资金明细"), pane);
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
        grid->addWidget(new QLabel(QString::fromUtf8(f.label), group), row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    layout->addWidget(group);
    pane->setMinimumWidth(200);
    return pane;
}

QTableWidget* MainWindow::makeList(const QString& name, const QStringList& captions,
                                   const QList<int>& widths) {
    auto* list = new QTableWidget(0, static_cast<int>(captions.size()) + 1, this);
    list->setObjectName(name);
    QStringList headers{QString()};
    headers << captions;
    list->setHorizontalHeaderLabels(headers);
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnWidth(0, 18);
    for (int i = 0; i < widths.size(); ++i)
        list->setColumnWidth(i + 1, widths[i]);
    return list;
}

QWidget* MainWindow::buildRightPane() {
    auto* pane = new QWidget(this);
    pane->setObjectName("Panel3");
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QTabWidget(pane);
    pages->setObjectName("PageControl1");

    auto* stocks = new QSplitter(Qt::Vertical, pages);
    stocks->setObjectName("tabGp");
    auto s = [](const char* text) { return QString::fromUtf8(text); };
    stocks->addWidget(makeList(
        "lsvBuy",
        {s("证券代码"), s("证券名称"), s("股数"), s("买价"), s("总买价"), s("现价"), s("总现价"),
         s("盈亏"), s("盈亏率"), s("保本价"), s("止损价"), s("获利价"), s("日期"), s("备注")},
        {60, 60, 42, 42, 68, 42, 68, 60, 54, 48, 48, 48, 60, 120}));
    stocks->addWidget(
        makeList("lsvSell",
                 {s("证券代码"), s("证券名称"), s("股数"), s("买价"), s("总买价"), s("卖价"),
                  s("总卖价"), s("盈亏"), s("盈亏率"), s("日期"), s("备注")},
                 {60, 60, 42, 42, 68, 42, 68, 60, 54, 60, 120}));
    pages->addTab(stocks, s("股票(&G)"));
    auto* trades = makeList("lsvRec",
                            {s("日期"), s("证券代码"), s("证券名称"), s("操作"), s("股数"),
                             s("价格"), s("税费"), s("总金额"), s("盈亏金额"), s("盈亏率")},
                            {60, 60, 60, 36, 42, 48, 54, 72, 72, 54});
    trades->setProperty("tabName", "tabJy");
    pages->addTab(trades, s("交易(&J)"));
    auto* funds = makeList(
        "lsvFund",
        {s("日期"), s("名称"), s("操作"), s("金额"), s("备注"), s("资金余额"), s("资金使用率")},
        {60, 56, 60, 78, 120, 0, 0});
    funds->setColumnHidden(6, true);
    funds->setColumnHidden(7, true);
    pages->addTab(funds, s("资金(&Z)"));
    pages->setCurrentIndex(0);
    layout->addWidget(pages, 1);
    layout->addWidget(buildBudgetPanel());
    return pane;
}

QWidget* MainWindow::buildBudgetPanel() {
    BudgetForm& form = controller_.budget();
    auto* group = new QGroupBox(toQt(form.caption()), this);
    group->setObjectName("panGpys");
    auto* grid = new QGridLayout(group);
    int column = 0;
    for (const Field& f : form.fields()) {
        const QString name = QString::fromStdString(f.name);
        QWidget* widget;
        if (f.kind == FieldKind::Combo) {
            auto* combo = new QComboBox(group);
            combo->setMaxVisibleItems(4);
            widget = combo;
        } else if (f.kind == FieldKind::Button) {
            widget = new QPushButton(toQt(f.label), group);
        } else {
            auto* edit = new QLineEdit(group);
            edit->setMinimumWidth(60);
            widget = edit;
        }
        widget->setObjectName(name);
        if (f.kind != FieldKind::Button)
            grid->addWidget(new QLabel(toQt(f.label), group), 0, column);
        grid->addWidget(widget, 1, column);
        ++column;
    }
    budgetBinder_ = new FormBinder(form, group);
    return group;
}

void MainWindow::showAbout() {
    QDialog about(this);
    about.setObjectName("wndAbout");
    about.setWindowTitle(QString::fromUtf8("关于"));
    auto* layout = new QVBoxLayout(&about);
    auto* title = new QLabel("Tallivan V1.00", &about);
    title->setObjectName("lblTitle");
    layout->addWidget(title);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QString::fromUtf8("确定"), &about);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* detail = new QPushButton(QString::fromUtf8("详细资料"), &about);
    detail->setObjectName("cmdDetail");
    buttons->addWidget(ok);
    buttons->addWidget(detail);
    layout->addLayout(buttons);
    auto* memo = new QPlainTextEdit(QString::fromUtf8("请多提意见"), &about);
    memo->setObjectName("txtDetail");
    memo->setReadOnly(true);
    memo->hide();
    layout->addWidget(memo);
    connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    connect(detail, &QPushButton::clicked, &about, [memo, detail] {
        memo->show();
        detail->setEnabled(false);
    });
    about.exec();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        statusPanels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    statusPanels_[0]->setFixedWidth(std::max(0, event->size().width() - 200));
}

}  // namespace tallivan::gui
