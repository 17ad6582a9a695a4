#include <QApplication>
#include <QMessageBox>
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

// Shows an exception thrown inside a command and lets the program go on.
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
        std::fprintf(stderr,
                     "tallivan: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it from a "
                     "desktop session or under xvfb-run\n");
        return 1;
    }
    try {
        Application app(argc, argv);
        app.setApplicationName("Tallivan");
        tallivan::PosixFileSystem files;
        tallivan::SystemClock clock;
        tallivan::gui::QtUi ui;
        tallivan::Controller controller(ui, files, clock);
        controller.start();
        tallivan::gui::MainWindow window(controller);
        ui.setOwner(&window);
        window.showMaximized();
        return app.exec();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tallivan: %s\n", e.what());
        return 1;
    }
}
