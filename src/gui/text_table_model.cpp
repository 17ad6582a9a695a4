#include "text_table_model.h"

#include <QBrush>

namespace tallivan::gui {

TextTableModel::TextTableModel(QStringList captions, std::vector<Qt::Alignment> alignments,
                               QObject* parent)
    : QAbstractTableModel(parent),
      captions_(std::move(captions)),
      alignments_(std::move(alignments)) {}

void TextTableModel::setRows(std::vector<std::vector<TextCell>> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto& row = rows_[static_cast<std::size_t>(index.row())];
    if (static_cast<std::size_t>(index.column()) >= row.size())
        return {};
    const TextCell& cell = row[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return cell.text;
        case Qt::ForegroundRole:
            return cell.colour.isValid() ? QVariant(QBrush(cell.colour)) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignments_[static_cast<std::size_t>(index.column())] |
                                       Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < captions_.size())
        return captions_[section];
    return {};
}

}  // namespace tallivan::gui
