#include "radio_group.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace tallivan::gui {

RadioGroup::RadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
    new QVBoxLayout(this);
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::activated);
}

QStringList RadioGroup::items() const {
    QStringList texts;
    for (QAbstractButton* b : buttons_->buttons())
        texts << b->text();
    return texts;
}

void RadioGroup::setItems(const QStringList& items) {
    for (QAbstractButton* b : buttons_->buttons()) {
        buttons_->removeButton(b);
        delete b;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QString("%1_%2").arg(objectName()).arg(i));
        buttons_->addButton(b, i);
        layout()->addWidget(b);
        if (isVisible())
            b->show();
    }
}

int RadioGroup::currentIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setCurrentIndex(int index) {
    if (QAbstractButton* b = buttons_->button(index)) {
        b->setChecked(true);
    } else if (QAbstractButton* checked = buttons_->checkedButton()) {
        // An exclusive group refuses to uncheck its last button.
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
    }
}

}  // namespace tallivan::gui
