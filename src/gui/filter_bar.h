// The filter box above the lists: a text looked for in codes, names and memos, and a range of
// dates for transactions and fund movements. Every change narrows the four lists at once.
#pragma once

#include <QDate>
#include <QWidget>

#include "ledger/row_view.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;

namespace tallivan::gui {

class FilterBar : public QWidget {
    Q_OBJECT
  public:
    // The date range starts as the year up to `today`.
    FilterBar(const QDate& today, QWidget* parent);

    RowFilter filter() const;
    // Puts the keyboard into the text box.
    void focusText();

  Q_SIGNALS:
    void changed();

  private:
    QLineEdit* text_;
    QCheckBox* dates_;
    QDateEdit* from_;
    QDateEdit* to_;
};

}  // namespace tallivan::gui
