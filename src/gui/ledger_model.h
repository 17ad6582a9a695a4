// One ledger list of the controller as a table model. It reads the controller's rows directly
// and keeps no copy: column 0 shows the row image only, the other columns the row texts with
// the list's alignment and the colour the ledger gives the row.
#pragma once

#include <QAbstractTableModel>

#include "app/controller.h"

namespace tallivan::gui {

class LedgerModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    LedgerModel(const Controller& controller, LedgerList list, QObject* parent);

    LedgerList list() const { return list_; }
    // The controller's rows of this list (source rows).
    const std::vector<LedgerRow>& rows() const { return controller_.lists().rows(list_); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The controller's rows may have changed: a list of another length is reset, one of the
    // same length repainted in place, so a selection being made in the view is not torn down.
    // Nothing happens while the controller has not changed since the model last looked.
    void refresh();

  private:
    const Controller& controller_;
    LedgerList list_;
    int shownRows_ = 0;
    int shownRevision_ = 0;  // the controller's view revision the model shows
};

}  // namespace tallivan::gui
