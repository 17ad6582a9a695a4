#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "about_dialog.h"
#include "command_hints.h"
#include "export_location.h"
#include "filter_bar.h"
#include "help.h"
#include "images.h"
#include "keyboard_return.h"
#include "ledger_lists.h"
#include "ledger_view.h"
#include "qt_text.h"
#include "status_panels.h"
#include "window_manager.h"

namespace tallivan::gui {

MainWindow::MainWindow(Controller& controller, QSettings* memory, QWidget* parent)
    : QMainWindow(parent), controller_(controller), memory_(memory) {
    setObjectName("wndMain");
    setWindowTitle("Tallivan");
    setWindowIcon(QIcon(programPicture(32)));
    buildMenus();
    buildToolBar();
    buildStatusBar();
    connectCommands();

    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setObjectName("Splitter1");
    mainSplitter_->addWidget(buildLeftPane());
    mainSplitter_->addWidget(buildRightPane());
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    mainSplitter_->setChildrenCollapsible(false);
    mainSplitter_->setSizes({230, 800});
    setCentralWidget(mainSplitter_);
    resize(1024, 700);
    connectTree();
    followKeyboardFocus();
    for (LedgerList list : kLedgerLists)
        connectList(list);
    followOtherPrograms();
    // Without a window manager nobody else gives the keyboard back after a dialog.
    new KeyboardReturn(this);
    restoreLayout();
    refreshViews();
}

void MainWindow::followOtherPrograms() {
    // A script may change the data while the window is open (a nightly price update): the
    // view is read again while the person is not in the middle of a dialog.
    auto* timer = new QTimer(this);
    timer->setObjectName("otherProgramsTimer");
    connect(timer, &QTimer::timeout, this, [this] {
        if (!quiet_ && !QApplication::activeModalWidget() && controller_.refreshIfChanged())
            refreshViews();
    });
    timer->start(2000);
}

void MainWindow::showAtStart() {
    const QByteArray geometry =
        memory_ ? memory_->value("window/geometry").toByteArray() : QByteArray();
    if (!geometry.isEmpty() && restoreGeometry(geometry))
        show();
    else
        showMaximized();
    // Without a window manager nobody maximises the window or gives it the keyboard.
    if (!windowManagerRunning()) {
        if (isMaximized())
            setGeometry(screen()->availableGeometry());
        activateWindow();
    }
}

void MainWindow::showOriginalOrder() {
    for (LedgerView* view : ledgerViews_)
        view->showOriginalOrder();
}

void MainWindow::restoreLayout() {
    if (!memory_)
        return;
    mainSplitter_->restoreState(memory_->value("window/splitter1").toByteArray());
    stockSplitter_->restoreState(memory_->value("window/splitter2").toByteArray());
    for (LedgerView* view : ledgerViews_) {
        std::vector<int> widths;
        for (const QVariant& width : memory_->value("columns/" + view->objectName()).toList())
            widths.push_back(width.toInt());
        view->setChosenWidths(widths);
    }
}

void MainWindow::saveLayout() {
    if (!memory_)
        return;
    memory_->setValue("window/geometry", saveGeometry());
    memory_->setValue("window/splitter1", mainSplitter_->saveState());
    memory_->setValue("window/splitter2", stockSplitter_->saveState());
    for (const LedgerView* view : ledgerViews_) {
        QVariantList widths;
        for (int width : view->chosenWidths())
            widths << width;
        memory_->setValue("columns/" + view->objectName(), widths);
    }
    memory_->sync();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveLayout();
    QMainWindow::closeEvent(event);
}

MainWindow::~MainWindow() {
    quiet_ = true;
    // Focus moves while the widgets go; by then this window no longer follows it.
    disconnect(focusConnection_);
}

void MainWindow::applyCommandStates() {
    const CommandStates& states = controller_.commands();
    for (const CommandDefinition& row : commandRegistry()) {
        QAction* a = row.id == CommandId::None ? nullptr : action(row.id);
        if (!a)
            continue;
        // A command inside a disabled menu runs neither from the menu nor by its shortcut.
        a->setEnabled(a->menu() ? states.enabled(row.id) : states.canRun(row.id));
        a->setVisible(states.visible(row.id));
    }
}

QAction* MainWindow::action(const QString& name) const {
    const auto command = commandNamed(name.toStdString());
    return command ? action(*command) : nullptr;
}

void MainWindow::buildMenus() {
    for (const CommandDefinition& row : commandRegistry()) {
        QMenu* parent = row.parent == CommandId::None ? nullptr : action(row.parent)->menu();
        switch (row.kind) {
            case CommandKind::Menu: {
                const QString caption = QString::fromUtf8(row.caption);
                QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
                menu->setObjectName(row.name);
                actions_[indexOf(row.id)] = menu->menuAction();
                break;
            }
            case CommandKind::Separator:
                parent->addSeparator()->setObjectName(row.name);
                break;
            case CommandKind::Command: {
                QAction* a = parent->addAction(QString::fromUtf8(row.caption));
                a->setObjectName(row.name);
                if (*row.shortcut)
                    a->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
                const QString hint = QString::fromUtf8(row.hint);
                if (!hint.isEmpty()) {
                    a->setToolTip(shortHint(hint));
                    a->setStatusTip(longHint(hint));
                }
                actions_[indexOf(row.id)] = a;
                break;
            }
            case CommandKind::ToolButton:
            case CommandKind::ToolSeparator:
                break;
        }
    }
}

void MainWindow::buildToolBar() {
    QToolBar* bar = addToolBar("ToolBar1");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->toggleViewAction()->setVisible(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const CommandDefinition& row : commandRegistry()) {
        if (row.kind == CommandKind::ToolSeparator) {
            bar->addSeparator()->setObjectName(row.name);
            continue;
        }
        if (row.kind != CommandKind::ToolButton)
            continue;
        // The button has an availability of its own and runs its menu command.
        QAction* command = action(row.parent);
        auto* a = new QAction(toolBarImage(row.image), command->text(), this);
        a->setObjectName(row.name);
        // The caption as the menu has it, "..." included; the "&" would make the button's
        // mnemonic clash with the menus' (Alt+S).
        a->setIconText(QString(command->text()).remove('&'));
        a->setToolTip(command->toolTip());
        a->setStatusTip(command->statusTip());
        connect(a, &QAction::triggered, command, &QAction::trigger);
        bar->addAction(a);
        QWidget* button = bar->widgetForAction(a);
        button->setObjectName(row.name);
        button->setMinimumSize(60, 38);
        actions_[indexOf(row.id)] = a;
    }
}

void MainWindow::buildStatusBar() {
    statusPanels_ = new StatusPanels({{450, Qt::AlignLeft},
                                      {50, Qt::AlignHCenter},
                                      {72, Qt::AlignHCenter},
                                      {50, Qt::AlignHCenter},
                                      {30, Qt::AlignLeft}},
                                     this);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(statusPanels_, 1);
    statusPanels_->panel(2)->setText(toQt(controller_.statusDate()));
    statusPanels_->panel(3)->setText(toQt(controller_.statusWeekday()));
}

void MainWindow::connectCommands() {
    for (const CommandDefinition& row : commandRegistry()) {
        if (row.kind == CommandKind::Command && row.run) {
            connect(action(row.id), &QAction::triggered, this,
                    [this, id = row.id] { runCommand(id); });
        }
    }
    connectWindowCommand(CommandId::ExportDirectory,
                         [this] { chooseExportDirectory(this, controller_); });
    connectWindowCommand(CommandId::Exit, [this] { close(); });
    connectWindowCommand(CommandId::Filter, [this] { filterBar_->focusText(); });
    connectWindowCommand(CommandId::OriginalOrder, [this] { showOriginalOrder(); });
    connectWindowCommand(CommandId::Help, [this] { showHelp(); });
    connectWindowCommand(CommandId::About, [this] { showAbout(); });
}

void MainWindow::connectWindowCommand(CommandId command, std::function<void()> run) {
    connect(action(command), &QAction::triggered, this, std::move(run));
}

void MainWindow::showHelp() {
    gui::showHelp(this);
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Panel 0 shows the status part of the hint under the mouse. Outside menus, a place
        // without a hint of its own shows the window's.
        QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty() && !QApplication::activePopupWidget())
            tip = longHint(QString::fromUtf8(kWindowHint));
        statusPanels_->panel(0)->setText(tip);
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    statusPanels_->setPanelWidth(0, event->size().width() - 200);
}

}  // namespace tallivan::gui
