#include "qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "dialog_views.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QWidget* QtUi::parentWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return owner_;
}

Answer QtUi::message(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) {
    const QPointer<QWidget> over = parentWindow();
    QMessageBox box(iconOf(icon), toQt(caption), toQt(text), QMessageBox::NoButton, over);
    // The program speaks Chinese, whatever the system's language.
    switch (buttons) {
        case MessageButtons::Ok:
            box.addButton(QMessageBox::Ok)->setText("确定");
            break;
        case MessageButtons::OkCancel:
            box.addButton(QMessageBox::Ok)->setText("确定");
            box.addButton(QMessageBox::Cancel)->setText("取消");
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.addButton(QMessageBox::Yes)->setText("是(&Y)");
            box.addButton(QMessageBox::No)->setText("否(&N)");
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
    const int pressed = box.exec();
    // The window the box was shown over takes the keyboard back, with the focus where the
    // command left it (a refused field).
    if (over)
        over->activateWindow();
    switch (pressed) {
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return buttons == MessageButtons::YesNo ? Answer::No : Answer::Ok;
    }
}

bool QtUi::runDialog(Form& form) {
    if (form.isOpen()) {
        const std::unique_ptr<FormDialog> dialog = makeDialogView(form, parentWindow());
        dialog->exec();
    }
    return form.result() == Form::Result::Ok;
}

std::optional<std::string> QtUi::chooseFileToOpen(const std::string& caption,
                                                  const std::string& filter) {
    const QString file =
        QFileDialog::getOpenFileName(parentWindow(), toQt(caption), QString(), toQt(filter));
    if (file.isEmpty())
        return std::nullopt;
    return fromQt(file);
}

void QtUi::showProgress(const std::string& caption, std::size_t done, std::size_t total) {
    if (done >= total) {
        progress_.reset();
        return;
    }
    if (!progress_) {
        progress_ =
            std::make_unique<QProgressDialog>(toQt(caption), QString(), 0, 100, parentWindow());
        progress_->setWindowTitle(toQt(caption));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(300);
    }
    progress_->setValue(static_cast<int>(done * 100 / total));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tallivan::gui
