// The rows of a statement as the import dialog shows them: the line, what becomes of the row,
// the ledger command it maps to and the reason, then the statement's own columns. Each row is
// coloured by what becomes of it. It reads the form's preview and keeps no copy.
#pragma once

#include <QAbstractTableModel>

#include "statement/statement_preview.h"

namespace tallivan::gui {

class ImportPreviewModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ImportPreviewModel(const StatementPreview& preview, QObject* parent);

    // The columns before the statement's own.
    static constexpr int kLineColumn = 0;
    static constexpr int kStatusColumn = 1;
    static constexpr int kCommandColumn = 2;
    static constexpr int kNoteColumn = 3;
    static constexpr int kFirstCellColumn = 4;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const StatementPreview& preview_;
    int cellColumns_ = 0;
};

}  // namespace tallivan::gui
