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

    QHBoxLayout* date = dateRow("txtYear", "txtMonth", "txtDay");
    grid->addWidget(label("txtYear"), 0, 0);
    grid->addLayout(date, 0, 1, 1, 3);
    edit("txtTitle", 8);
    fieldWidget("cboOperation");
    grid->addWidget(label("txtTitle"), 1, 0);
    grid->addWidget(findChild<QWidget*>("txtTitle"), 1, 1);
    grid->addWidget(label("cboOperation"), 1, 2);
    grid->addWidget(findChild<QWidget*>("cboOperation"), 1, 3);
    edit("txtMoney", 12)->setAlignment(Qt::AlignRight);
    grid->addWidget(label("txtMoney"), 2, 0);
    grid->addWidget(findChild<QWidget*>("txtMoney"), 2, 1);
    edit("txtMemo");
    grid->addWidget(label("txtMemo"), 3, 0);
    grid->addWidget(findChild<QWidget*>("txtMemo"), 3, 1, 1, 3);

    layout->addWidget(box);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
