// The controller's account tree as an item model: groups on the top level, each with its
// accounts as children. An index's internal id is its node's position in the whole tree.
// Only a group's label can be edited, and only while the controller allows it; an edited label
// is handed on as `renamed`, the controller decides what the group is called.
#pragma once

#include <QAbstractItemModel>
#include <vector>

#include "app/controller.h"

namespace tallivan::gui {

class AccountTreeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    AccountTreeModel(const Controller& controller, QObject* parent);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    QModelIndex indexOf(int position) const;
    static int positionOf(const QModelIndex& index) { return static_cast<int>(index.internalId()); }

    // The controller's tree changed: a tree of the same shape is repainted in place (an open
    // label editor and the current node survive), any other is reset.
    void refresh();

  Q_SIGNALS:
    void renamed(int position, const QString& name);

  private:
    void takeShape();
    const TreeNode& node(const QModelIndex& index) const;

    const Controller& controller_;
    std::vector<bool> shape_;  // per position: a group?
    std::vector<int> groups_;  // the groups' positions, in tree order
    std::vector<int> rowOf_;   // per position: its row under its parent
};

}  // namespace tallivan::gui
