#include "qt_ui.h"

#include <QMessageBox>

#include "form_binder.h"
#include "generic_dialog.h"

namespace tallivan::gui {

Answer QtUi::message(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) {
    QMessageBox box(owner_);
    box.setWindowTitle(toQt(caption));
    box.setText(toQt(text));
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return Answer::Ok;
    }
}

bool QtUi::runDialog(Form& form) {
    GenericDialog dialog(form, owner_);
    dialog.exec();
    return form.result() == Form::Result::Ok;
}

}  // namespace tallivan::gui
