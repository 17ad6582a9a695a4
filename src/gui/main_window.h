// The main window: menus, tool bar, status bar, the account tree with the fund-detail panel,
// the four ledger lists and the budget panel. It holds no ledger logic: menu commands and the
// events of the tree and the lists go to the controller, the views show the controller's state,
// and the budget panel is bound to the controller's budget form. The lists show the controller's
// rows through a filter and an order of the person's choosing. The window's size, its splitters
// and the column widths the person chose are remembered between runs.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

#include "app/controller.h"
#include "ledger_lists.h"

class QAction;
class QLineEdit;
class QLabel;
class QSettings;
class QSplitter;

namespace tallivan::gui {

class AccountTreeModel;
class AnalysisPage;
class AccountTreeView;
class BudgetPanel;
class FilterBar;
class LedgerModel;
class LedgerView;
class StatusPanels;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `controller` must have been started: the budget panel binds to its budget form. The
    // window's layout is read from and kept in `memory` (which must outlive the window); without
    // one nothing is remembered.
    explicit MainWindow(Controller& controller, QSettings* memory = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window as it was left, or maximised the first time. Where no window manager
    // maximises it, the window takes the screen's room and the keyboard itself.
    void showAtStart();

    // The four lists in the ledger's own order again.
    void showOriginalOrder();

    // A menu command, a menu or a tool bar button, by id or by name ("mnuBuyStk", "mnuStock",
    // "cmdBuyStk"); nullptr for a name the registry does not hold.
    QAction* action(CommandId command) const { return actions_[indexOf(command)]; }
    QAction* action(const QString& name) const;

    // Enables and shows each command as the controller's command states say.
    void applyCommandStates();

    // Shows what the controller holds now: the tree and its selection, the four lists and
    // their selections, the fund details and the command states.
    void refreshViews();

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void connectCommands();
    QWidget* buildLeftPane();
    QWidget* buildFundPanel();
    QWidget* buildRightPane();
    void showFrozen();
    // The remembered layout: splitters and column widths before the window shows; all of it
    // (and the window's geometry) when it closes.
    void restoreLayout();
    void saveLayout();
    void showHelp();
    void showAbout();

    // Runs a controller command unless its state forbids it, then shows the outcome.
    void runCommand(CommandId command);
    // What the window does itself for a command without a controller method.
    void connectWindowCommand(CommandId command, std::function<void()> action);
    void connectTree();
    void connectList(LedgerList list);
    void followKeyboardFocus();
    void followOtherPrograms();
    // Puts the controller's selections into the views without reporting them back.
    void syncSelections();
    void treeSelectionChanged(const QModelIndex& current);
    void treeClicked(bool pressSelected);
    void treeDoubleClicked();
    void groupRenamed(int position, const QString& name);
    void listSelectionChanged(LedgerList list);
    void filterChanged();
    // The controller's row shown selected in a list (none: nothing selected).
    std::optional<int> shownSelection(LedgerList list) const;

    Controller& controller_;
    QSettings* memory_;
    std::array<QAction*, kCommandCount> actions_{};
    StatusPanels* statusPanels_ = nullptr;
    BudgetPanel* budget_ = nullptr;
    FilterBar* filterBar_ = nullptr;
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* stockSplitter_ = nullptr;
    AccountTreeModel* treeModel_ = nullptr;
    AccountTreeView* tree_ = nullptr;
    std::array<LedgerModel*, kLedgerLists.size()> ledgerModels_{};
    std::array<LedgerView*, kLedgerLists.size()> ledgerViews_{};
    std::array<QLineEdit*, kPanelFieldCount> panelEdits_{};
    QLineEdit* frozenEdit_ = nullptr;  // 申购冻结, shown only while a subscription is pending
    QLabel* frozenLabel_ = nullptr;
    AnalysisPage* analysisPage_ = nullptr;
    int shownRevision_ = -1;
    int shownOpenings_ = -1;
    // The views' events are not forwarded: the views are being set from the controller, or the
    // window is going (an open label editor commits as it goes).
    bool quiet_ = false;
    QMetaObject::Connection focusConnection_;  // the application's focus changes
};

}  // namespace tallivan::gui
