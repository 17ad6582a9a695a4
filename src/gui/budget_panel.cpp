#include "budget_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "form_binder.h"
#include "forms/budget_form.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

constexpr const char* kLastInput = field_id::kSellPrice;
constexpr const char* kCalculate = field_id::kCalculate;

}  // namespace

BudgetPanel::BudgetPanel(BudgetForm& form, QWidget* parent)
    : QGroupBox(toQt(form.caption()), parent), form_(form) {
    setObjectName("panGpys");
    grid_ = new QGridLayout(this);
    for (const Field& f : form.fields()) {
        QWidget* widget;
        QLabel* label = nullptr;
        if (f.kind == FieldKind::Combo) {
            auto* combo = new QComboBox(this);
            combo->setMaxVisibleItems(4);
            widget = combo;
        } else if (f.kind == FieldKind::Button) {
            widget = new QPushButton(toQt(f.label), this);
            firstResult_ = cells_.size() + 1;
        } else {
            auto* edit = new QLineEdit(this);
            // Room for a total such as -12345.67; the fields share what room there is beyond.
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("-00000.00") + 12);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            widget = edit;
        }
        widget->setObjectName(QString::fromStdString(f.name));
        if (f.kind != FieldKind::Button) {
            label = new QLabel(toQt(f.label), this);
            label->setBuddy(widget);
        }
        widget->installEventFilter(this);
        cells_.push_back({label, widget});
    }
    binder_ = new FormBinder(form, this);
    // The panel picks its arrangement from the width it gets, so the layout may not demand
    // the one-line width.
    grid_->setSizeConstraint(QLayout::SetNoConstraint);
    arrange(false);
}

void BudgetPanel::arrange(bool twoLines) {
    twoLines_ = twoLines;
    for (const Cell& cell : cells_) {
        if (cell.label)
            grid_->removeWidget(cell.label);
        grid_->removeWidget(cell.widget);
    }
    for (int column = 0; column < grid_->columnCount(); ++column)
        grid_->setColumnStretch(column, 0);
    int line = 0;
    int column = 0;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (twoLines && i == firstResult_) {
            line = 2;
            column = 0;
        }
        const Cell& cell = cells_[i];
        if (cell.label)
            grid_->addWidget(cell.label, line, column);
        grid_->addWidget(cell.widget, line + 1, column);
        if (qobject_cast<QLineEdit*>(cell.widget))
            grid_->setColumnStretch(column, 1);
        ++column;
    }
}

int BudgetPanel::lineWidth(std::size_t first, std::size_t last) const {
    int width = 0;
    for (std::size_t i = first; i < last; ++i) {
        const Cell& cell = cells_[i];
        int need = std::max(cell.widget->minimumSizeHint().width(), cell.widget->minimumWidth());
        if (cell.label)
            need = std::max(need, cell.label->sizeHint().width());
        width += need + grid_->horizontalSpacing();
    }
    const QMargins margins = contentsMargins() + grid_->contentsMargins();
    return width + margins.left() + margins.right();
}

QSize BudgetPanel::minimumSizeHint() const {
    const int width = std::max(lineWidth(0, firstResult_), lineWidth(firstResult_, cells_.size()));
    return {width, QGroupBox::minimumSizeHint().height()};
}

void BudgetPanel::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    const bool narrow = width() < lineWidth(0, cells_.size());
    if (narrow != twoLines_)
        arrange(narrow);
}

bool BudgetPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || key->modifiers() != Qt::NoModifier)
        return QGroupBox::eventFilter(watched, event);
    // Enter in the last of the inputs, or on the button, computes; elsewhere it moves on.
    const QString name = watched->objectName();
    if (name == kLastInput || name == kCalculate) {
        findChild<QPushButton*>(kCalculate)->click();
        return true;
    }
    binder_->focusNext(static_cast<QWidget*>(watched));
    return true;
}

}  // namespace tallivan::gui
