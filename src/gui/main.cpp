// The desktop program: the data directory is the working directory.
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/controller.h"
#include "base/clock.h"
#include "main_window.h"
#include "qt_ui.h"
#include "storage/file_io.h"

namespace {

bool displayAvailable() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") ||
           std::getenv("QT_QPA_PLATFORM");
}

// An exception thrown inside a command is shown, and the program goes on.
class Application : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            QMessageBox::critical(activeWindow(), "Tallivan", QString::fromUtf8(e.what()));
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(
            "tallivan: no display (neither DISPLAY nor WAYLAND_DISPLAY nor QT_QPA_PLATFORM is "
            "set); run it from a desktop session or under xvfb-run\n",
            stderr);
        return 1;
    }
    Application app(argc, argv);
    app.setApplicationName("Tallivan");
    try {
        tallivan::PosixFileSystem files;  // relative to the working directory
        tallivan::SystemClock clock;
        tallivan::gui::QtUi ui;
        tallivan::Controller controller(ui, files, clock);
        controller.start(tallivan::Controller::FirstRun::Prepare);
        // The window's size, splitters and column widths, per user (~/.config/Tallivan).
        QSettings memory(QSettings::IniFormat, QSettings::UserScope, "Tallivan", "tallivan");
        tallivan::gui::MainWindow window(controller, &memory);
        ui.setOwner(&window);
        window.showAtStart();
        return app.exec();
    } catch (const std::exception& e) {
        // A failure while starting up is shown the same way and ends the program.
        QMessageBox::critical(nullptr, "Tallivan", QString::fromUtf8(e.what()));
        return 1;
    }
}
