// The trade budget panel below the lists, bound to the controller's budget form: each label
// above its field, in the form's order. Enter moves on to the next field and, in the sell
// price, computes; the numbers stand right-aligned. Where one line is too narrow for every
// field (a small window), the results move to a second line.
#pragma once

#include <QGroupBox>
#include <vector>

namespace tallivan {
class BudgetForm;
}

class QGridLayout;
class QLabel;

namespace tallivan::gui {

class FormBinder;

class BudgetPanel : public QGroupBox {
    Q_OBJECT
  public:
    BudgetPanel(BudgetForm& form, QWidget* parent);

    bool twoLines() const { return twoLines_; }
    const FormBinder& binder() const { return *binder_; }

    // As narrow as the two-line arrangement allows: the panel never keeps the window wide.
    QSize minimumSizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Cell {
        QLabel* label;  // none for the button
        QWidget* widget;
    };
    void arrange(bool twoLines);
    // The width the cells from `first` to `last` (excluded) need side by side.
    int lineWidth(std::size_t first, std::size_t last) const;

    BudgetForm& form_;
    FormBinder* binder_ = nullptr;
    QGridLayout* grid_ = nullptr;
    std::vector<Cell> cells_;
    std::size_t firstResult_ = 0;  // the cells from here on are results
    bool twoLines_ = false;
};

}  // namespace tallivan::gui
