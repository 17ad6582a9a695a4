#include "locked_look.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace tallivan::gui {

void setLockedLook(QWidget* widget, bool locked) {
    if (widget->property("tallivanLocked").toBool() == locked)
        return;
    widget->setProperty("tallivanLocked", locked);
    if (locked) {
        QPalette palette = widget->palette();
        // Disabled widgets too: a locked field of a disabled group keeps the look.
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base,
                             palette.color(QPalette::Active, QPalette::Button));
        widget->setPalette(palette);
    } else {
        widget->setPalette(QPalette());
    }
}

}  // namespace tallivan::gui
