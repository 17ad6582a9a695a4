#include "page_control.h"

namespace tallivan::gui {

QSize FixedWidthTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    size.setWidth(tabWidth_);
    return size;
}

PageControl::PageControl(int tabWidth, QWidget* parent) : QTabWidget(parent) {
    setTabBar(new FixedWidthTabBar(tabWidth, this));
}

}  // namespace tallivan::gui
