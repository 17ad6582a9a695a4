#include "generic_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "form_binder.h"

namespace tallivan::gui {

GenericDialog::GenericDialog(Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(toQt(form.caption()));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const Field& f : form.fields()) {
        const QString name = QString::fromStdString(f.name);
        QWidget* widget = nullptr;
        switch (f.kind) {
            case FieldKind::Button: {
                auto* button = new QPushButton(toQt(f.label), this);
                button->setAutoDefault(false);
                button->setObjectName(name);
                buttons->addWidget(button);
                continue;
            }
            case FieldKind::List:
                widget = new QListWidget(this);
                break;
            case FieldKind::Combo:
            case FieldKind::Radio:
                widget = new QComboBox(this);
                break;
            case FieldKind::Check:
                widget = new QCheckBox(toQt(f.label), this);
                break;
            case FieldKind::Label:
                widget = new QLabel(toQt(f.text), this);
                break;
            case FieldKind::Edit:
            case FieldKind::Memo:
                widget = new QLineEdit(this);
                break;
        }
        widget->setObjectName(name);
        if (!f.suffix.empty()) {
            auto* row = new QHBoxLayout;
            row->addWidget(widget);
            row->addWidget(new QLabel(toQt(f.suffix), this));
            fields->addRow(toQt(f.label), row);
        } else {
            fields->addRow(f.kind == FieldKind::Check ? QString() : toQt(f.label), widget);
        }
    }
    layout->addLayout(fields);
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
    form_.cancel();
    QDialog::reject();
}

}  // namespace tallivan::gui
