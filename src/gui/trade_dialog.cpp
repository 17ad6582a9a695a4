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
    QGroupBox* box = group(field_id::kTradeGroup);
    auto* grid = new QGridLayout(box);
    grid->setColumnMinimumWidth(2, 12);

    QHBoxLayout* date = dateRow(field_id::kYear, field_id::kMonth, field_id::kDay);
    grid->addWidget(label(field_id::kYear), 0, 0);
    grid->addLayout(date, 0, 1, 1, 4);

    edit(field_id::kCode, 8);
    edit(field_id::kTitle, 12);
    edit(field_id::kShares, 10);
    edit(field_id::kPrice, 10);
    edit(field_id::kFee, 10);
    QLineEdit* total = edit(field_id::kTotal, 12);
    total->setAlignment(Qt::AlignRight);
    const struct {
        const char* left;
        const char* right;
    } rows[] = {{field_id::kCode, field_id::kTitle},
                {field_id::kShares, field_id::kPrice},
                {field_id::kFee, field_id::kTotal}};
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
    grid->addWidget(suffix(field_id::kFee), row, 1, 1, 4);

    layout->addWidget(box);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
