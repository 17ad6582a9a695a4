// The stock edit dialog: the position with its memo above, the three prices with what each
// brings and the four 计算 buttons below (for a held stock only), the buttons last. The label
// and field columns of the two groups line up, and every number stands right-aligned.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "dialog_views.h"
#include "forms/stock_edit_form.h"

namespace tallivan::gui {

namespace {

// Every number field is as wide as a total of 99 999 999.99.
constexpr int kNumberDigits = 12;

}  // namespace

StockEditDialog::StockEditDialog(StockEditForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndStkEdit");
    auto* layout = new QVBoxLayout(this);
    // Without the price group (a sold stock) the dialog is shorter, the buttons move up.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto number = [this](const char* name) {
        QLineEdit* field = edit(name, kNumberDigits);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return field;
    };
    // Label, field, label, field: the first four columns of both groups.
    const auto pair = [this](QGridLayout* grid, int row, const char* left, const char* right) {
        grid->addWidget(label(left), row, 0);
        grid->addWidget(findChild<QWidget*>(left), row, 1);
        if (right) {
            grid->addWidget(label(right), row, 2);
            grid->addWidget(findChild<QWidget*>(right), row, 3);
        }
    };

    QGroupBox* position = group(field_id::kTradeGroup);
    auto* top = new QGridLayout(position);
    edit(field_id::kCode);
    top->addWidget(label(field_id::kCode), 0, 0);
    top->addWidget(findChild<QWidget*>(field_id::kCode), 0, 1, 1, 3);
    number(field_id::kShares);
    number(field_id::kPrice);
    number(field_id::kCost);
    pair(top, 1, field_id::kShares, field_id::kPrice);
    pair(top, 2, field_id::kCost, nullptr);
    edit(field_id::kMemo);
    top->addWidget(label(field_id::kMemo), 3, 0);
    top->addWidget(findChild<QWidget*>(field_id::kMemo), 3, 1, 1, 3);
    top->setColumnStretch(4, 1);
    layout->addWidget(position);

    QGroupBox* prices = group(field_id::kPriceGroup);
    auto* grid = new QGridLayout(prices);
    number(field_id::kCurrentPrice);
    number(field_id::kCurrentValue);
    pair(grid, 0, field_id::kCurrentPrice, field_id::kCurrentValue);
    // Per target: the price, then the amount and the ratio, each with its 计算 button.
    const struct {
        const char* price;
        const char* amount;
        const char* amountButton;
        const char* ratio;
        const char* ratioButton;
    } rows[] = {{field_id::kStopLossPrice, field_id::kLoss, field_id::kCalculateLoss,
                 field_id::kLossRatio, field_id::kCalculateLossRatio},
                {field_id::kTakeProfitPrice, field_id::kProfit, field_id::kCalculateProfit,
                 field_id::kProfitRatio, field_id::kCalculateProfitRatio}};
    int row = 1;
    for (const auto& r : rows) {
        number(r.price);
        number(r.amount);
        edit(r.ratio, 8)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pair(grid, row, r.price, r.amount);
        grid->addWidget(button(r.amountButton), row, 4);
        grid->addWidget(label(r.ratio), row, 5);
        grid->addWidget(findChild<QWidget*>(r.ratio), row, 6);
        grid->addWidget(fixedText("%"), row, 7);
        grid->addWidget(button(r.ratioButton), row, 8);
        ++row;
    }
    grid->setColumnStretch(9, 1);
    layout->addWidget(prices);

    // Both label columns as wide as the widest label of either group.
    for (int column : {0, 2}) {
        int widest = 0;
        for (QGridLayout* g : {top, grid}) {
            for (int r = 0; r < g->rowCount(); ++r) {
                QLayoutItem* item = g->itemAtPosition(r, column);
                if (auto* text = item ? qobject_cast<QLabel*>(item->widget()) : nullptr)
                    widest = std::max(widest, text->sizeHint().width());
            }
        }
        top->setColumnMinimumWidth(column, widest);
        grid->setColumnMinimumWidth(column, widest);
    }
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
