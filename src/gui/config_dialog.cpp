// The settings dialog: the list of the 20 categories on the left, the shown row's fee rules and
// values in the group 参数 on the right, the buttons below with today's schedule on the left.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/config_form.h"

namespace tallivan::gui {

ConfigDialog::ConfigDialog(ConfigForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndCfg");
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* columns = new QHBoxLayout;

    auto* listColumn = new QVBoxLayout;
    auto* list = static_cast<QListWidget*>(fieldWidget(field_id::kCategoryList));
    list->setFixedWidth(std::max(96, list->fontMetrics().horizontalAdvance("上证Ａ股上证") + 24));
    QLabel* header = label(field_id::kCategoryList);
    listColumn->addWidget(header);
    listColumn->addWidget(list);
    columns->addLayout(listColumn);

    QGroupBox* values = group("grpParam", "参数");
    auto* grid = new QGridLayout(values);
    int row = 0;
    for (const Field& f : form.fields()) {
        const QByteArray name = QByteArray::fromStdString(f.name);
        if (f.kind == FieldKind::Check) {
            grid->addWidget(fieldWidget(name.constData()), row++, 0, 1, 3);
            continue;
        }
        if (f.kind != FieldKind::Edit)
            continue;
        edit(name.constData(), f.name == field_id::kTitle ? 12 : 10);
        grid->addWidget(label(name.constData()), row, 0);
        grid->addWidget(findChild<QWidget*>(name.constData()), row, 1);
        if (!f.suffix.empty())
            grid->addWidget(suffix(name.constData()), row, 2);
        ++row;
    }
    // The list runs as deep as the group beside it.
    list->setFixedHeight(std::max(values->sizeHint().height() - header->sizeHint().height(), 160));
    columns->addWidget(values, 1);
    layout->addLayout(columns);
    // Today's schedule stands apart from the buttons of the shown row.
    QHBoxLayout* buttons = buttonRow({field_id::kOk, field_id::kCancel});
    buttons->insertWidget(0, button(field_id::kCurrentRates));
    layout->addLayout(buttons);
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
