// A page control whose tabs all have one fixed width.
#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace tallivan::gui {

class FixedWidthTabBar : public QTabBar {
  public:
    FixedWidthTabBar(int tabWidth, QWidget* parent) : QTabBar(parent), tabWidth_(tabWidth) {}

  protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

  private:
    int tabWidth_;
};

class PageControl : public QTabWidget {
  public:
    PageControl(int tabWidth, QWidget* parent);
};

}  // namespace tallivan::gui
