// The desktop program started for a GUI test: a data directory of the test's own, a controller
// over it with the test's Ui and clock, the main window shown, and the ways a person reaches
// its widgets (clicks on rows and tree nodes, double-clicks, the modal dialog a step opens).
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QScopeGuard>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/controller.h"
#include "main_window.h"
#include "qt_ui.h"
#include "storage/account_file.h"
#include "storage/file_io.h"
#include "support/qt_find_widget.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace tallivan::testing {

template <typename TestUi>
class MainWindowTest : public QObject {
  protected:
    // A fresh, empty data directory (before the window starts).
    void makeDataDirectory() {
        dir_ = std::make_unique<TempDir>();
        files_ = std::make_unique<PosixFileSystem>(dir_->path());
    }

    // Creates zrdata/zr_0000n.acc with `slots`; false when a write failed.
    bool writeAccount(int n, const std::string& title, const std::vector<LedgerRecord>& slots,
                      const std::string& password = std::string()) {
        files_->makeDirectory("zrdata");
        const std::string path = joinPath("zrdata", accountFileName(n));
        const AccountHeader header = newHeader(title);
        if (createAccountFile(*files_, path, header) != 0)
            return false;
        for (const LedgerRecord& slot : slots) {
            if (writeSlot(*files_, path, header.slotKey, -1, slot) < 0)
                return false;
        }
        return password.empty() ||
               writeHeader(*files_, path, header, passwordFromText(password)) == 0;
    }

    // Starts the controller and shows the window over it; true once the window is active.
    // With `memory` the window is shown as the program does, as it was left last time.
    bool showMainWindow(Controller::FirstRun firstRun = Controller::FirstRun::LeaveAlone,
                        QSettings* memory = nullptr) {
        controller_ = std::make_unique<Controller>(ui_, *files_, clock_);
        controller_->start(firstRun);
        window_ = std::make_unique<gui::MainWindow>(*controller_, memory);
        ui_.setOwner(window_.get());
        if (memory)
            window_->showAtStart();
        else
            window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }

    void closeMainWindow() {
        window_.reset();
        controller_.reset();
    }

    template <typename T>
    T* find(const char* name) {
        return findWidget<T>(window_.get(), name);
    }
    QTreeView* tree() { return find<QTreeView>("trvAccount"); }
    QAbstractItemModel* treeModel() { return tree()->model(); }
    QModelIndex group() { return treeModel()->index(0, 0); }
    QModelIndex account(int row) { return treeModel()->index(row, 0, group()); }

    void clickRow(const char* list, int row) {
        QTableView* view = find<QTableView>(list);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(row, 1)).center());
    }
    void clickNode(const QModelIndex& node) {
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          tree()->visualRect(node).center());
    }
    // As the window system delivers it: press, release, press, double-click, release.
    void doubleClick(QAbstractItemView* view, const QModelIndex& index) {
        const QPoint at = view->viewport()->mapTo(window_.get(), view->visualRect(index).center());
        QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // Runs `act` on the modal dialog the next step opens, once it has the keyboard (until the
    // dialog is the active window, keys and focus changes go elsewhere). A dialog still open
    // afterwards (a check inside `act` failed) is cancelled, so the test goes on.
    void onDialog(std::function<void(QDialog*)> act) {
        QTimer::singleShot(0, this, [act] {
            QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const auto cancelLeftOpen = qScopeGuard([dialog] {
                if (dialog && dialog->isVisible())
                    dialog->reject();
            });
            QTRY_VERIFY(QApplication::activeWindow() == dialog);
            act(dialog);
        });
    }

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<PosixFileSystem> files_;
    FixedClock clock_{{2026, 12, 10}};
    TestUi ui_;
    std::unique_ptr<Controller> controller_;
    std::unique_ptr<gui::MainWindow> window_;
};

}  // namespace tallivan::testing
