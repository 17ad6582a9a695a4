#include "account_tree_view.h"

#include <QMouseEvent>
#include <utility>

namespace tallivan::gui {

AccountTreeView::AccountTreeView(QWidget* parent) : QTreeView(parent) {
    setObjectName("trvAccount");
    setHeaderHidden(true);
    setIndentation(19);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // The selection stays visible while the tree does not have the focus.
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
}

void AccountTreeView::mousePressEvent(QMouseEvent* event) {
    const QPersistentModelIndex before = currentIndex();
    QTreeView::mousePressEvent(event);
    pressSelected_ = event->button() == Qt::LeftButton && currentIndex() != before;
}

void AccountTreeView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT treeClicked(std::exchange(pressSelected_, false));
}

void AccountTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT treeDoubleClicked();
}

}  // namespace tallivan::gui
