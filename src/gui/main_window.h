// The main window: menus, tool bar, status bar, the account tree with the fund-detail panel,
// the four lists and the budget panel. It holds no ledger logic: commands go to the controller.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <map>

#include "app/controller.h"

class QAction;
class QMenu;
class QTableWidget;
class QToolBar;

namespace tallivan::gui {

class FormBinder;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Controller& controller, QWidget* parent = nullptr);

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
    QWidget* buildLeftPane();
    QWidget* buildRightPane();
    QWidget* buildBudgetPanel();
    QTableWidget* makeList(const QString& name, const QStringList& captions,
                           const QList<int>& widths);
    void showAbout();

    Controller& controller_;
    std::map<QString, QAction*> actions_;
    QLabel* statusPanels_[5] = {};
    FormBinder* budgetBinder_ = nullptr;
};

}  // namespace tallivan::gui
