// Gives the keyboard back to the window a dialog was shown over once the dialog closes. A
// window manager does that by itself; without one the keyboard would stay with nobody, and
// the shortcuts of the main window would do nothing until a click.
#pragma once

#include <QObject>

namespace tallivan::gui {

class KeyboardReturn : public QObject {
  public:
    // Watches every dialog of the application while `parent` lives.
    explicit KeyboardReturn(QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tallivan::gui
