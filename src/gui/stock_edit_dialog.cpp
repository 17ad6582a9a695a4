// The stock edit dialog: the position with its memo above, the three prices with what each
// brings and the four 计算 buttons below (for a held stock only), the buttons last.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/stock_edit_form.h"

namespace tallivan::gui {

StockEditDialog::StockEditDialog(StockEditForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndStkEdit");
    auto* layout = new QVBoxLayout(this);
    // Without the price group (a sold stock) the dialog is shorter, the buttons move up.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QGroupBox* position = group("grpStk");
    auto* top = new QGridLayout(position);
    edit("txtCode", 18);
    edit("txtStockNum", 10);
    edit("txtPrice", 10);
    edit("txtCost", 12);
    top->addWidget(label("txtCode"), 0, 0);
    top->addWidget(findChild<QWidget*>("txtCode"), 0, 1);
    top->addWidget(label("txtStockNum"), 0, 2);
    top->addWidget(findChild<QWidget*>("txtStockNum"), 0, 3);
    top->addWidget(label("txtPrice"), 1, 0);
    top->addWidget(findChild<QWidget*>("txtPrice"), 1, 1);
    top->addWidget(label("txtCost"), 1, 2);
    top->addWidget(findChild<QWidget*>("txtCost"), 1, 3);
    edit("txtMemo");
    top->addWidget(label("txtMemo"), 2, 0);
    top->addWidget(findChild<QWidget*>("txtMemo"), 2, 1, 1, 3);
    layout->addWidget(position);

    QGroupBox* prices = group("grpPrice");
    auto* grid = new QGridLayout(prices);
    edit("txtNowPrice", 9);
    edit("txtXj", 12);
    grid->addWidget(label("txtNowPrice"), 0, 0);
    grid->addWidget(findChild<QWidget*>("txtNowPrice"), 0, 1);
    grid->addWidget(label("txtXj"), 0, 2);
    grid->addWidget(findChild<QWidget*>("txtXj"), 0, 3);
    // Per target: the price, then the amount and the ratio, each with its 计算 button.
    const struct {
        const char* price;
        const char* amount;
        const char* amountButton;
        const char* ratio;
        const char* ratioButton;
    } rows[] = {{"txtZsPrice", "txtKs", "cmdCalKs", "txtKsl", "cmdCalKsl"},
                {"txtHlPrice", "txtYl", "cmdCalYl", "txtYll", "cmdCalYll"}};
    int row = 1;
    for (const auto& r : rows) {
        edit(r.price, 9);
        edit(r.amount, 12);
        edit(r.ratio, 8);
        grid->addWidget(label(r.price), row, 0);
        grid->addWidget(findChild<QWidget*>(r.price), row, 1);
        grid->addWidget(label(r.amount), row, 2);
        grid->addWidget(findChild<QWidget*>(r.amount), row, 3);
        grid->addWidget(button(r.amountButton), row, 4);
        grid->addWidget(label(r.ratio), row, 5);
        grid->addWidget(findChild<QWidget*>(r.ratio), row, 6);
        grid->addWidget(fixedText("%"), row, 7);
        grid->addWidget(button(r.ratioButton), row, 8);
        ++row;
    }
    layout->addWidget(prices);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
