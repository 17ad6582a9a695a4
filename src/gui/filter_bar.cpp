#include "filter_bar.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt_text.h"

namespace tallivan::gui {

namespace {

QDateEdit* dateBox(const char* name, const QDate& date, QWidget* parent) {
    auto* box = new QDateEdit(date, parent);
    box->setObjectName(name);
    box->setDisplayFormat("yyyy-MM-dd");
    box->setCalendarPopup(true);
    box->setEnabled(false);
    return box;
}

std::int32_t dateKeyOf(const QDate& date) {
    return date.year() * 10000 + date.month() * 100 + date.day();
}

}  // namespace

FilterBar::FilterBar(const QDate& today, QWidget* parent) : QWidget(parent) {
    setObjectName("filterBar");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    text_ = new QLineEdit(this);
    text_->setObjectName("txtFilter");
    text_->setPlaceholderText("证券代码、名称或备注");
    text_->setClearButtonEnabled(true);
    text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance(text_->placeholderText()) + 40);
    auto* label = new QLabel("筛选(&L)", this);
    label->setBuddy(text_);
    dates_ = new QCheckBox("日期(&Y)", this);
    dates_->setObjectName("chkFilterDates");
    dates_->setToolTip("只显示这段日期内的交易和资金明细");
    from_ = dateBox("dtpFrom", today.addYears(-1).addDays(1), this);
    to_ = dateBox("dtpTo", today, this);
    row->addWidget(label);
    row->addWidget(text_, 1);
    row->addSpacing(12);
    row->addWidget(dates_);
    row->addWidget(from_);
    row->addWidget(new QLabel("至", this));
    row->addWidget(to_);
    row->addStretch(1);

    connect(text_, &QLineEdit::textChanged, this, &FilterBar::changed);
    connect(dates_, &QCheckBox::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
        Q_EMIT changed();
    });
    connect(from_, &QDateEdit::dateChanged, this, &FilterBar::changed);
    connect(to_, &QDateEdit::dateChanged, this, &FilterBar::changed);
}

RowFilter FilterBar::filter() const {
    RowFilter filter;
    filter.text = fromQt(text_->text().trimmed());
    if (dates_->isChecked()) {
        filter.fromDate = dateKeyOf(from_->date());
        filter.toDate = dateKeyOf(to_->date());
    }
    return filter;
}

void FilterBar::focusText() {
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

}  // namespace tallivan::gui
