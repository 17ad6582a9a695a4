// The report-style view of one ledger list: read-only, one whole row selected at a time, grid
// lines, rows of one fixed height (a list of a hundred thousand rows scrolls as fast as a short
// one), a click on a column header orders the rows by it (again: the other way round, a third
// time: the ledger's own order). Every column is at least as wide as the ledger lays it out,
// as its caption and as its widest text in the font in use, or as wide as the person made it;
// the last column takes the room that is left. While there is nothing to show, a hint says what
// to do first.
#pragma once

#include <QString>
#include <QTableView>
#include <vector>

#include "ledger/ledger_rows.h"

namespace tallivan::gui {

class LedgerModel;
class LedgerProxyModel;

class LedgerView : public QTableView {
    Q_OBJECT
  public:
    LedgerView(LedgerModel* ledger, QWidget* parent);

    LedgerModel* ledger() const { return ledger_; }
    LedgerProxyModel* shown() const { return shown_; }

    // The widths the person gave the columns by dragging their edges (0: none).
    std::vector<int> chosenWidths() const { return chosen_; }
    void setChosenWidths(const std::vector<int>& widths);

    // The text shown in the empty part of the list; empty: none.
    void setHint(const QString& hint);
    const QString& hint() const { return hint_; }

    // The ledger's own order again.
    void showOriginalOrder();

    // Widens the columns to their texts; runs by itself whenever the rows change.
    void fitColumns();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // How wide each column must be for its widest text, its margins included (0: no text).
    std::vector<int> widestTexts() const;
    void columnResized(int column, int newWidth);

    LedgerModel* ledger_;
    LedgerProxyModel* shown_;
    std::vector<int> chosen_;
    QString hint_;
    bool fitting_ = false;
    bool fitPending_ = false;
};

}  // namespace tallivan::gui
