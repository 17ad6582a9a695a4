// The settings dialog: the list of the 20 categories on the left, the shown row's values in the
// group 参数 on the right, the buttons below.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/config_form.h"
#include "qt_text.h"

namespace tallivan::gui {

ConfigDialog::ConfigDialog(ConfigForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndCfg");
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* columns = new QHBoxLayout;

    auto* listColumn = new QVBoxLayout;
    auto* list = static_cast<QListWidget*>(fieldWidget("lsvCfg"));
    list->setFixedWidth(std::max(96, list->fontMetrics().horizontalAdvance("上证Ａ股上证") + 24));
    QLabel* header = label("lsvCfg");
    listColumn->addWidget(header);
    listColumn->addWidget(list);
    columns->addLayout(listColumn);

    QGroupBox* values = group("grpParam", "参数");
    auto* grid = new QGridLayout(values);
    int row = 0;
    for (const Field& f : form.fields()) {
        if (f.kind != FieldKind::Edit)
            continue;
        const QByteArray name = QByteArray::fromStdString(f.name);
        edit(name.constData(), f.name == "txtTitle" ? 12 : 10);
        grid->addWidget(label(name.constData()), row, 0);
        grid->addWidget(findChild<QWidget*>(name.constData()), row, 1);
        if (!f.suffix.empty())
            grid->addWidget(fixedText(toQt(f.suffix)), row, 2);
        ++row;
    }
    // The list runs as deep as the group beside it.
    list->setFixedHeight(std::max(values->sizeHint().height() - header->sizeHint().height(), 160));
    columns->addWidget(values, 1);
    layout->addLayout(columns);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
