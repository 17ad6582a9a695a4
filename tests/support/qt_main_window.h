// The desktop program started for a GUI test: a controller over the test's files and clock, and
// its main window shown, owning the message boxes and dialogs of the test's Ui.
#pragma once

#include <QTest>
#include <memory>

#include "app/controller.h"
#include "main_window.h"
#include "qt_ui.h"

namespace tallivan::testing {

// Starts `controller` and shows `window` over it; true once the window is active.
inline bool showMainWindow(std::unique_ptr<Controller>& controller,
                           std::unique_ptr<gui::MainWindow>& window, gui::QtUi& ui,
                           FileSystem& files, Clock& clock) {
    controller = std::make_unique<Controller>(ui, files, clock);
    controller->start();
    window = std::make_unique<gui::MainWindow>(*controller);
    ui.setOwner(window.get());
    window->show();
    return QTest::qWaitForWindowActive(window.get());
}

}  // namespace tallivan::testing
