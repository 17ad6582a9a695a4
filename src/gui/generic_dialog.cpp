#include "generic_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "form_binder.h"
#include "qt_text.h"
#include "radio_group.h"

namespace tallivan::gui {

namespace {

QWidget* makeWidget(const Field& f, QWidget* parent) {
    switch (f.kind) {
        case FieldKind::Edit:
            return new QLineEdit(parent);
        case FieldKind::Memo: {
            auto* memo = new QPlainTextEdit(parent);
            memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 3 + 12);
            return memo;
        }
        case FieldKind::List:
            return new QListWidget(parent);
        case FieldKind::Combo:
            return new QComboBox(parent);
        case FieldKind::Radio:
            return new RadioGroup(toQt(f.label), parent);
        case FieldKind::Check:
            return new QCheckBox(toQt(f.label), parent);
        case FieldKind::Label:
            return new QLabel(toQt(f.text), parent);
        case FieldKind::Button:
            break;
    }
    return nullptr;
}

// Widgets are made in the field order, which is then also their tab order.
QWidget* makeFieldWidget(const Field& f, QWidget* parent) {
    QWidget* widget = makeWidget(f, parent);
    widget->setObjectName(QString::fromStdString(f.name));
    if (auto* radio = qobject_cast<RadioGroup*>(widget)) {
        QStringList items;
        for (const std::string& item : f.items)
            items << toQt(item);
        radio->setItems(items);
    }
    return widget;
}

}  // namespace

GenericDialog::GenericDialog(Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(toQt(form.caption()));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    int row = 0;
    for (const Field& f : form.fields()) {
        const QString name = QString::fromStdString(f.name);
        if (f.kind == FieldKind::Button) {
            auto* button = new QPushButton(toQt(f.label), this);
            // Enter on a focused button clicks it; elsewhere it moves on (keyPressEvent).
            button->setAutoDefault(false);
            button->setObjectName(name);
            buttons->addWidget(button);
            continue;
        }
        QWidget* widget = makeFieldWidget(f, this);
        // Radio groups and check boxes carry their caption themselves.
        if (f.kind != FieldKind::Radio && f.kind != FieldKind::Check && !f.label.empty()) {
            auto* label = new QLabel(toQt(f.label), this);
            label->setBuddy(widget);
            grid->addWidget(label, row, 0,
                            f.kind == FieldKind::List ? Qt::AlignTop : Qt::Alignment());
        }
        grid->addWidget(widget, row, 1);
        if (!f.suffix.empty())
            grid->addWidget(new QLabel(toQt(f.suffix), this), row, 2);
        ++row;
    }
    layout->addLayout(grid);
    layout->addLayout(buttons);
    binder_ = new FormBinder(form_, this);
    binder_->afterEvent = [this] { closeWhenDone(); };
}

void GenericDialog::closeWhenDone() {
    if (form_.result() == Form::Result::Ok) {
        accept();
    } else if (form_.result() == Form::Result::Cancel) {
        QDialog::reject();
    }
}

void GenericDialog::reject() {
    if (form_.isOpen())
        form_.cancel();
    closeWhenDone();
}

void GenericDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter moves to the next control; on a button it presses it.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            focusNextChild();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tallivan::gui
