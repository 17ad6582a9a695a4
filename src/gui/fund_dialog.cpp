// The fund dialog: date, name, operation, amount and memo of one movement in the group 资金.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/fund_form.h"

namespace tallivan::gui {

FundDialog::FundDialog(FundForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndFund");
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QGroupBox* box = group("grpFund", "资金");
    auto* grid = new QGridLayout(box);

    QHBoxLayout* date = dateRow(field_id::kYear, field_id::kMonth, field_id::kDay);
    grid->addWidget(label(field_id::kYear), 0, 0);
    grid->addLayout(date, 0, 1, 1, 3);
    edit(field_id::kTitle, 8);
    fieldWidget(field_id::kOperation);
    grid->addWidget(label(field_id::kTitle), 1, 0);
    grid->addWidget(findChild<QWidget*>(field_id::kTitle), 1, 1);
    grid->addWidget(label(field_id::kOperation), 1, 2);
    grid->addWidget(findChild<QWidget*>(field_id::kOperation), 1, 3);
    edit(field_id::kAmount, 12)->setAlignment(Qt::AlignRight);
    grid->addWidget(label(field_id::kAmount), 2, 0);
    grid->addWidget(findChild<QWidget*>(field_id::kAmount), 2, 1);
    edit(field_id::kMemo);
    grid->addWidget(label(field_id::kMemo), 3, 0);
    grid->addWidget(findChild<QWidget*>(field_id::kMemo), 3, 1, 1, 3);

    layout->addWidget(box);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
