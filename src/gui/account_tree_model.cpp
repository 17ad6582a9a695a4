#include "account_tree_model.h"

#include "images.h"
#include "qt_text.h"

namespace tallivan::gui {

AccountTreeModel::AccountTreeModel(const Controller& controller, QObject* parent)
    : QAbstractItemModel(parent), controller_(controller) {
    takeShape();
}

void AccountTreeModel::takeShape() {
    // Every account follows its group, so an account's position is its group's plus its row
    // plus one.
    const AccountTree& tree = controller_.tree();
    shape_.assign(static_cast<std::size_t>(tree.size()), false);
    groups_.clear();
    rowOf_.assign(shape_.size(), 0);
    int childRow = 0;
    for (int i = 0; i < tree.size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        shape_[at] = tree.node(i).isGroup;
        if (shape_[at]) {
            rowOf_[at] = static_cast<int>(groups_.size());
            groups_.push_back(i);
            childRow = 0;
        } else {
            rowOf_[at] = childRow++;
        }
    }
}

const TreeNode& AccountTreeModel::node(const QModelIndex& index) const {
    return controller_.tree().node(positionOf(index));
}

QModelIndex AccountTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    if (!parent.isValid())
        return createIndex(row, column, static_cast<quintptr>(groups_[static_cast<size_t>(row)]));
    return createIndex(row, column,
                       static_cast<quintptr>(positionOf(parent)) + 1 + static_cast<quintptr>(row));
}

QModelIndex AccountTreeModel::indexOf(int position) const {
    if (position < 0 || position >= static_cast<int>(shape_.size()))
        return QModelIndex();
    return createIndex(rowOf_[static_cast<std::size_t>(position)], 0,
                       static_cast<quintptr>(position));
}

QModelIndex AccountTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return QModelIndex();
    int position = positionOf(child);
    if (shape_[static_cast<std::size_t>(position)])
        return QModelIndex();
    while (position > 0 && !shape_[static_cast<std::size_t>(position)])
        --position;
    return indexOf(position);
}

int AccountTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(groups_.size());
    const int group = positionOf(parent);
    if (parent.column() != 0 || !shape_[static_cast<std::size_t>(group)])
        return 0;
    int end = group + 1;
    while (end < static_cast<int>(shape_.size()) && !shape_[static_cast<std::size_t>(end)])
        ++end;
    return end - group - 1;
}

int AccountTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant AccountTreeModel::data(const QModelIndex& index, int role) const {
    // While a command runs, the tree may already differ from the shape shown.
    if (!index.isValid() || positionOf(index) >= controller_.tree().size())
        return QVariant();
    const TreeNode& n = node(index);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return toQt(n.text);
        case Qt::DecorationRole: {
            QIcon icon;
            icon.addPixmap(smallImage(n.image).pixmap(16), QIcon::Normal);
            icon.addPixmap(smallImage(n.selectedImage).pixmap(16), QIcon::Selected);
            return icon;
        }
        default:
            break;
    }
    return QVariant();
}

Qt::ItemFlags AccountTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (controller_.labelsEditable() && shape_[static_cast<std::size_t>(positionOf(index))])
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool AccountTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    Q_EMIT renamed(positionOf(index), value.toString());
    return true;
}

void AccountTreeModel::refresh() {
    const AccountTree& tree = controller_.tree();
    bool sameShape = tree.size() == static_cast<int>(shape_.size());
    for (int i = 0; sameShape && i < tree.size(); ++i)
        sameShape = tree.node(i).isGroup == shape_[static_cast<std::size_t>(i)];
    if (!sameShape) {
        beginResetModel();
        takeShape();
        endResetModel();
        return;
    }
    for (int position = 0; position < tree.size(); ++position) {
        const QModelIndex at = indexOf(position);
        Q_EMIT dataChanged(at, at);
    }
}

}  // namespace tallivan::gui
