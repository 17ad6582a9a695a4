// The account dialog: the account's name, its stop-loss and take-profit defaults, its date and
// memo in the group 帐号, the buttons below. In delete mode nothing can be edited and every box
// takes the locked look.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/account_form.h"
#include "locked_look.h"

namespace tallivan::gui {

namespace {

// The read-only "%" box after a ratio.
QLineEdit* percentBox(const char* name, bool locked, QWidget* parent) {
    auto* box = new QLineEdit("%", parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance("%") + 14);
    setLockedLook(box, locked);
    return box;
}

}  // namespace

AccountDialog::AccountDialog(AccountForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndAcc");
    const bool deleting = form.mode() == AccountForm::Mode::Delete;
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QGroupBox* box = group("grpAcc", "帐号");
    box->setEnabled(!deleting);
    auto* grid = new QGridLayout(box);

    edit(field_id::kTitle, 12);
    grid->addWidget(label(field_id::kTitle), 0, 0);
    grid->addWidget(findChild<QWidget*>(field_id::kTitle), 0, 1, 1, 2);

    const struct {
        const char* ratio;
        const char* percent;
        const char* limit;
    } rows[] = {{field_id::kStopLossRatio, "txtPercent1", field_id::kHighestStopLossPrice},
                {field_id::kTakeProfitRatio, "txtPercent2", field_id::kLowestTakeProfitPrice}};
    int row = 1;
    for (const auto& r : rows) {
        edit(r.ratio, 8);
        edit(r.limit, 10);
        grid->addWidget(label(r.ratio), row, 0);
        grid->addWidget(findChild<QWidget*>(r.ratio), row, 1);
        grid->addWidget(percentBox(r.percent, deleting, box), row, 2);
        grid->addWidget(label(r.limit), row, 3);
        grid->addWidget(findChild<QWidget*>(r.limit), row, 4);
        ++row;
    }
    QHBoxLayout* date = dateRow(field_id::kYear, field_id::kMonth, field_id::kDay);
    grid->addWidget(label(field_id::kYear), row, 0);
    grid->addLayout(date, row, 1, 1, 4);
    ++row;
    fieldWidget(field_id::kMemo);
    grid->addWidget(label(field_id::kMemo), row, 0, Qt::AlignTop);
    grid->addWidget(findChild<QWidget*>(field_id::kMemo), row, 1, 1, 4);

    layout->addWidget(box);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
