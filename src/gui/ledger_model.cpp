#include "ledger_model.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include "images.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

Qt::Alignment alignmentOf(ColumnAlign align) {
    switch (align) {
        case ColumnAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlign::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case ColumnAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant brushOf(TextColour colour) {
    switch (colour) {
        case TextColour::Red:
            return QBrush(QColor(255, 0, 0));
        case TextColour::Green:
            return QBrush(QColor(0, 128, 0));
        case TextColour::ButtonText:
            return QApplication::palette().buttonText();
        case TextColour::Default:
            break;
    }
    return QVariant();
}

}  // namespace

LedgerModel::LedgerModel(const Controller& controller, LedgerList list, QObject* parent)
    : QAbstractTableModel(parent),
      controller_(controller),
      list_(list),
      shownRows_(static_cast<int>(rows().size())),
      shownRevision_(controller.viewRevision()) {}

int LedgerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int LedgerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columnsOf(list_).size());
}

QVariant LedgerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows().size()))
        return QVariant();
    const LedgerRow& row = rows()[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return column == kImageColumn ? QVariant() : QVariant(toQt(row.text(column)));
        case Qt::DecorationRole:
            return column == kImageColumn ? QVariant(smallImage(row.image)) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant(alignmentOf(columnsOf(list_)[static_cast<std::size_t>(column)].align));
        case Qt::ForegroundRole:
            return brushOf(textColourOf(list_, row, controller_.focus()));
        default:
            break;
    }
    return QVariant();
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const auto& columns = columnsOf(list_);
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    const ColumnInfo& column = columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return toQt(column.caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant(alignmentOf(column.align));
    return QVariant();
}

void LedgerModel::refresh() {
    if (controller_.viewRevision() == shownRevision_)
        return;
    shownRevision_ = controller_.viewRevision();
    const int count = static_cast<int>(rows().size());
    if (count != shownRows_) {
        beginResetModel();
        shownRows_ = count;
        endResetModel();
    } else if (count > 0) {
        Q_EMIT dataChanged(index(0, 0), index(count - 1, columnCount() - 1));
    }
}

}  // namespace tallivan::gui
