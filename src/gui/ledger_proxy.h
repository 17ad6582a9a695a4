// A ledger list as a person has narrowed and ordered it: the filter box and a click on a column
// header choose which of the controller's rows show, in which order. The rows themselves, and
// the row numbers the controller speaks of, stay the ledger's own (source rows); this model
// only maps between them, so a command still works on the row the person selected.
#pragma once

#include <QAbstractProxyModel>
#include <vector>

#include "ledger/row_view.h"

namespace tallivan::gui {

class LedgerModel;

class LedgerProxyModel : public QAbstractProxyModel {
    Q_OBJECT
  public:
    LedgerProxyModel(LedgerModel* source, QObject* parent);

    void setFilter(const RowFilter& filter);
    const RowFilter& filter() const { return filter_; }
    // The column the rows are ordered by, or kOriginalOrder.
    int sortColumn() const { return column_; }
    Qt::SortOrder sortOrder() const { return order_; }
    // A column below 0 puts the ledger's own order back.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Source row of a shown row and back (-1 when that source row does not show).
    int sourceRow(int row) const;
    int shownRow(int sourceRow) const;

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<int> computeRows() const;
    // The source was refilled: everything is shown afresh.
    void sourceReset();
    // The source's texts changed in place: rows move only when the filter or order says so.
    void sourceChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                       const QList<int>& roles);
    // Shows `rows` in place of the rows shown now, keeping the views' selections on their rows.
    void rearrange(std::vector<int> rows);
    void setRows(std::vector<int> rows);

    LedgerModel* ledger_;
    RowFilter filter_;
    int column_ = kOriginalOrder;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    std::vector<int> rows_;   // shown row -> source row
    std::vector<int> shown_;  // source row -> shown row, -1 when hidden
};

}  // namespace tallivan::gui
