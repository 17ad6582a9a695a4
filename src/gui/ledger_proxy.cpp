#include "ledger_proxy.h"

#include "ledger_model.h"

namespace tallivan::gui {

LedgerProxyModel::LedgerProxyModel(LedgerModel* source, QObject* parent)
    : QAbstractProxyModel(parent), ledger_(source) {
    QAbstractProxyModel::setSourceModel(source);
    connect(source, &QAbstractItemModel::modelReset, this, &LedgerProxyModel::sourceReset);
    connect(source, &QAbstractItemModel::dataChanged, this, &LedgerProxyModel::sourceChanged);
    setRows(computeRows());
}

std::vector<int> LedgerProxyModel::computeRows() const {
    const auto& rows = ledger_->rows();
    std::vector<int> shown =
        viewOfRows(ledger_->list(), rows, filter_, column_, order_ == Qt::DescendingOrder);
    // The model may still show fewer rows than the controller holds (before its refresh).
    const int count = ledger_->rowCount();
    if (count < static_cast<int>(rows.size()))
        std::erase_if(shown, [count](int r) { return r >= count; });
    return shown;
}

void LedgerProxyModel::setRows(std::vector<int> rows) {
    rows_ = std::move(rows);
    shown_.assign(static_cast<std::size_t>(ledger_->rowCount()), -1);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        shown_[static_cast<std::size_t>(rows_[i])] = static_cast<int>(i);
}

void LedgerProxyModel::setFilter(const RowFilter& filter) {
    filter_ = filter;
    rearrange(computeRows());
}

void LedgerProxyModel::sort(int column, Qt::SortOrder order) {
    column_ = column < 0 ? kOriginalOrder : column;
    order_ = order;
    rearrange(computeRows());
}

void LedgerProxyModel::sourceReset() {
    beginResetModel();
    setRows(computeRows());
    endResetModel();
}

void LedgerProxyModel::sourceChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                     const QList<int>& roles) {
    std::vector<int> rows = filter_.empty() && column_ == kOriginalOrder ? rows_ : computeRows();
    if (rows != rows_) {
        rearrange(std::move(rows));
        return;
    }
    // Same rows in the same places: repaint them.
    if (rows_.empty() || !topLeft.isValid() || !bottomRight.isValid())
        return;
    Q_EMIT dataChanged(index(0, topLeft.column()),
                       index(static_cast<int>(rows_.size()) - 1, bottomRight.column()), roles);
}

void LedgerProxyModel::rearrange(std::vector<int> rows) {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> sources;
    sources.reserve(before.size());
    for (const QModelIndex& i : before)
        sources << sourceRow(i.row());
    setRows(std::move(rows));
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int row = sources[k] < 0 ? -1 : shownRow(sources[k]);
        after << (row < 0 ? QModelIndex() : index(row, before[k].column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int LedgerProxyModel::sourceRow(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)]
                                                            : -1;
}

int LedgerProxyModel::shownRow(int sourceRow) const {
    return sourceRow >= 0 && sourceRow < static_cast<int>(shown_.size())
               ? shown_[static_cast<std::size_t>(sourceRow)]
               : -1;
}

QModelIndex LedgerProxyModel::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid())
        return QModelIndex();
    const int row = sourceRow(proxyIndex.row());
    return row < 0 ? QModelIndex() : ledger_->index(row, proxyIndex.column());
}

QModelIndex LedgerProxyModel::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid())
        return QModelIndex();
    const int row = shownRow(sourceIndex.row());
    return row < 0 ? QModelIndex() : index(row, sourceIndex.column());
}

QModelIndex LedgerProxyModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex LedgerProxyModel::parent(const QModelIndex&) const {
    return QModelIndex();
}

int LedgerProxyModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LedgerProxyModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ledger_->columnCount();
}

QVariant LedgerProxyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return ledger_->headerData(section, orientation, role);
}

}  // namespace tallivan::gui
