// The trade dialog: date, code with the stock's name, shares, price, fee with its parts and total
// in one group, the buttons below it.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/trade_form.h"

namespace tallivan::gui {

TradeDialog::TradeDialog(TradeForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndStk");
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QGroupBox* box = group("grpStk");
    auto* grid = new QGridLayout(box);
    grid->setColumnMinimumWidth(2, 12);

    QHBoxLayout* date = dateRow("txtYear", "txtMonth", "txtDay");
    grid->addWidget(label("txtYear"), 0, 0);
    grid->addLayout(date, 0, 1, 1, 4);

    edit("txtCode", 8);
    edit("txtTitle", 12);
    edit("txtStockNum", 10);
    edit("txtPrice", 10);
    edit("txtSxf", 10);
    QLineEdit* total = edit("txtAllPrice", 12);
    total->setAlignment(Qt::AlignRight);
    const struct {
        const char* left;
        const char* right;
    } rows[] = {{"txtCode", "txtTitle"}, {"txtStockNum", "txtPrice"}, {"txtSxf", "txtAllPrice"}};
    int row = 1;
    for (const auto& r : rows) {
        grid->addWidget(label(r.left), row, 0);
        grid->addWidget(findChild<QWidget*>(r.left), row, 1);
        grid->addWidget(label(r.right), row, 3);
        grid->addWidget(findChild<QWidget*>(r.right), row, 4);
        ++row;
    }
    // The fee and total labels change with the mode (红利, 总买价).
    grid->itemAtPosition(3, 0)->widget()->setObjectName("lblSxf");
    grid->itemAtPosition(3, 3)->widget()->setObjectName("lblAllPrice");
    // The parts of the fee right under it, to check against the broker's statement.
    grid->addWidget(suffix("txtSxf"), row, 1, 1, 4);

    layout->addWidget(box);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
