// The account tree's view: indented two levels, the selection visible without the focus, group
// labels edited by F2 or a click on the selected node. A click and a double-click anywhere in
// the tree, on a node or beside it, are reported as the tree's own events; a click says whether
// its press changed the selection (the selection change has then opened the node already).
#pragma once

#include <QTreeView>

namespace tallivan::gui {

class AccountTreeView : public QTreeView {
    Q_OBJECT
  public:
    explicit AccountTreeView(QWidget* parent);

  Q_SIGNALS:
    void treeClicked(bool pressSelected);
    void treeDoubleClicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    bool pressSelected_ = false;
};

}  // namespace tallivan::gui
