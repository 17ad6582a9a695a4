#include "import_preview_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "base/gbk.h"
#include "forms/import_form.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

// New rows green, as money coming in is shown; rows that are not recorded grey; rows the
// person must look at orange (unknown) and red (invalid).
QColor colourOf(ImportStatus status) {
    switch (status) {
        case ImportStatus::New:
            return QColor(0, 128, 0);
        case ImportStatus::Duplicate:
        case ImportStatus::Skipped:
            return QColor(128, 128, 128);
        case ImportStatus::Unknown:
            return QColor(192, 96, 0);
        case ImportStatus::Invalid:
            break;
    }
    return QColor(255, 0, 0);
}

}  // namespace

ImportPreviewModel::ImportPreviewModel(const StatementPreview& preview, QObject* parent)
    : QAbstractTableModel(parent), preview_(preview) {
    std::size_t widest = preview.header.size();
    for (const StatementEntry& e : preview.entries)
        widest = std::max(widest, e.cells.size());
    cellColumns_ = static_cast<int>(widest);
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(preview_.entries.size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFirstCellColumn + cellColumns_;
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const StatementEntry& e = preview_.entries[static_cast<std::size_t>(index.row())];
    if (role == Qt::ForegroundRole)
        return QBrush(colourOf(e.status));
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
        case kLineColumn:
            return e.line;
        case kStatusColumn:
            return toQt(importStatusName(e.status));
        case kCommandColumn:
            return toQt(importCommandName(e.command));
        case kNoteColumn:
            // The fee columns are evidence beside the fee the cash decided: shown as they are.
            if (!e.feeDetail.empty())
                return toQt(e.note + (e.note.empty() ? "" : "; ") + gbk("税费: ") + e.feeDetail);
            return toQt(e.note);
        default:
            break;
    }
    const auto cell = static_cast<std::size_t>(index.column() - kFirstCellColumn);
    return cell < e.cells.size() ? toQt(e.cells[cell]) : QString();
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
        case kLineColumn:
            return QStringLiteral("行");
        case kStatusColumn:
            return QStringLiteral("状态");
        case kCommandColumn:
            return QStringLiteral("记为");
        case kNoteColumn:
            return QStringLiteral("说明");
        default:
            break;
    }
    const auto cell = static_cast<std::size_t>(section - kFirstCellColumn);
    return cell < preview_.header.size() ? toQt(preview_.header[cell]) : QString();
}

}  // namespace tallivan::gui
