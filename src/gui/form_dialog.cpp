#include "form_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "form_binder.h"
#include "qt_text.h"
#include "radio_group.h"

namespace tallivan::gui {

namespace {

// Frames and captions never take the focus; a radio group does, on one of its buttons.
bool takesFocus(const QWidget* widget) {
    if (qobject_cast<const RadioGroup*>(widget))
        return true;
    return !qobject_cast<const QGroupBox*>(widget) && !qobject_cast<const QLabel*>(widget);
}

}  // namespace

FormDialog::FormDialog(Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(toQt(form.caption()));
    // A fixed dialog border: no resizing, no help button.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormDialog::bindForm(EnterKey enter) {
    enter_ = enter;
    binder_ = new FormBinder(form_, this);
    binder_->afterEvent = [this] { closeWhenDone(); };
    QWidget* previous = nullptr;
    for (const Field& f : form_.fields()) {
        QWidget* widget = binder_->widget(f.name);
        if (!widget || !takesFocus(widget))
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    if (enter == EnterKey::DefaultButton) {
        if (auto* ok = findChild<QPushButton*>(field_id::kOk))
            ok->setDefault(true);
    }
}

QLineEdit* FormDialog::edit(const char* name, int chars) {
    auto* widget = new QLineEdit(this);
    widget->setObjectName(name);
    if (chars > 0) {
        const QFontMetrics metrics = widget->fontMetrics();
        widget->setFixedWidth(metrics.horizontalAdvance(QString(chars, '0')) + 14);
    }
    return widget;
}

QWidget* FormDialog::fieldWidget(const char* name) {
    const Field& f = form_.field(name);
    QWidget* widget = nullptr;
    switch (f.kind) {
        case FieldKind::Edit:
            return edit(name);
        case FieldKind::Button:
            return button(name);
        case FieldKind::Memo: {
            auto* memo = new QPlainTextEdit(this);
            memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 3 + 12);
            widget = memo;
            break;
        }
        case FieldKind::List:
            widget = new QListWidget(this);
            break;
        case FieldKind::Combo:
            widget = new QComboBox(this);
            break;
        case FieldKind::Radio: {
            auto* radio = new RadioGroup(toQt(f.label), this);
            radio->setObjectName(name);  // names its buttons
            QStringList items;
            for (const std::string& item : f.items)
                items << toQt(item);
            radio->setItems(items);
            widget = radio;
            break;
        }
        case FieldKind::Check:
            widget = new QCheckBox(toQt(f.label), this);
            break;
        case FieldKind::Label:
            widget = new QLabel(toQt(f.text), this);
            break;
    }
    widget->setObjectName(name);
    return widget;
}

QPushButton* FormDialog::button(const char* name) {
    auto* widget = new QPushButton(toQt(form_.field(name).label), this);
    widget->setObjectName(name);
    // Enter on a focused button presses it; the default button, where there is one, is set
    // when the form is bound.
    widget->setAutoDefault(false);
    return widget;
}

QLabel* FormDialog::label(const char* name) {
    auto* widget = new QLabel(toQt(form_.field(name).label), this);
    if (QWidget* buddy = findChild<QWidget*>(name))
        widget->setBuddy(buddy);
    return widget;
}

QGroupBox* FormDialog::group(const char* name, const QString& caption) {
    const bool bound = form_.hasField(name);
    auto* box = new QGroupBox(bound ? toQt(form_.field(name).text) : caption, this);
    box->setObjectName(name);
    return box;
}

QHBoxLayout* FormDialog::dateRow(const char* year, const char* month, const char* day) {
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    row->addWidget(edit(year, 4));
    row->addWidget(fixedText("-"));
    row->addWidget(edit(month, 2));
    row->addWidget(fixedText("-"));
    row->addWidget(edit(day, 2));
    row->addStretch();
    return row;
}

QHBoxLayout* FormDialog::buttonRow(std::initializer_list<const char*> names) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const char* name : names)
        row->addWidget(button(name));
    return row;
}

QLabel* FormDialog::fixedText(const QString& text) {
    return new QLabel(text, this);
}

QLabel* FormDialog::suffix(const char* name) {
    QLabel* widget = fixedText(toQt(form_.field(name).suffix));
    widget->setObjectName(suffixLabelName(name));
    return widget;
}

void FormDialog::closeWhenDone() {
    if (form_.result() == Form::Result::Ok) {
        accept();
    } else if (form_.result() == Form::Result::Cancel) {
        QDialog::reject();
    }
}

void FormDialog::reject() {
    if (form_.isOpen())
        form_.cancel();
    closeWhenDone();
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // Enter on a focused button presses it.
        if (auto* pressed = qobject_cast<QPushButton*>(focusWidget())) {
            pressed->click();
            return;
        }
        if (enter_ == EnterKey::NextControl) {
            focusNextField();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void FormDialog::focusNextField() {
    if (!binder_->focusNext(focusWidget()))
        focusNextChild();
}

}  // namespace tallivan::gui
