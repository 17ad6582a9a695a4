#include "generic_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallivan::gui {

GenericDialog::GenericDialog(Form& form, QWidget* parent) : FormDialog(form, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    int row = 0;
    for (const Field& f : form.fields()) {
        const QByteArray name = QByteArray::fromStdString(f.name);
        if (f.kind == FieldKind::Button) {
            buttons->addWidget(button(name.constData()));
            continue;
        }
        QWidget* widget = fieldWidget(name.constData());
        // Radio groups and check boxes carry their caption themselves.
        if (f.kind != FieldKind::Radio && f.kind != FieldKind::Check && !f.label.empty()) {
            grid->addWidget(label(name.constData()), row, 0,
                            f.kind == FieldKind::List ? Qt::AlignTop : Qt::Alignment());
        }
        grid->addWidget(widget, row, 1);
        if (!f.suffix.empty())
            grid->addWidget(suffix(name.constData()), row, 2);
        ++row;
    }
    layout->addLayout(grid);
    layout->addLayout(buttons);
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
