// The main window: menus, tool bar, status bar, the account tree with the fund-detail panel,
// the four ledger lists and the budget panel. It holds no ledger logic: menu commands go to the
// controller, and the budget panel is bound to the controller's budget form.
#pragma once

#include <QMainWindow>
#include <map>

#include "app/controller.h"

class QAction;
class QGroupBox;

namespace tallivan::gui {

class FormBinder;
class StatusPanels;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `controller` must have been started: the budget panel binds to its budget form.
    explicit MainWindow(Controller& controller, QWidget* parent = nullptr);

    // A menu command ("mnuBuyStk"), a menu ("mnuStock") or a tool bar button ("cmdBuyStk").
    QAction* action(const QString& name) const;

    // Enables and shows each command as the controller's command states say.
    void applyCommandStates();

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void connectCommands();
    QWidget* buildLeftPane();
    QWidget* buildFundPanel();
    QWidget* buildRightPane();
    QGroupBox* buildBudgetPanel();
    void showHelp();
    void showAbout();

    Controller& controller_;
    std::map<QString, QAction*> actions_;
    StatusPanels* statusPanels_ = nullptr;
    FormBinder* budgetBinder_ = nullptr;
};

}  // namespace tallivan::gui
