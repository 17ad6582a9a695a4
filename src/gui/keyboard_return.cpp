#include "keyboard_return.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace tallivan::gui {

KeyboardReturn::KeyboardReturn(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool KeyboardReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide)
        return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isWindow() || !dialog->parentWidget())
        return false;
    // Once the dialog is gone: when no window of the program has the keyboard, the one it was
    // shown over takes it back, with the focus where it was; unless another dialog has opened
    // meanwhile, which is about to take it.
    QPointer<QWidget> owner = dialog->parentWidget()->window();
    QTimer::singleShot(0, this, [owner] {
        const QWidget* modal = QApplication::activeModalWidget();
        if (owner && owner->isVisible() && !QApplication::activeWindow() &&
            (!modal || modal == owner))
            owner->activateWindow();
    });
    return false;
}

}  // namespace tallivan::gui
