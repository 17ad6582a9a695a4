// The tool bar's six images, drawn in code.
#pragma once

#include <QIcon>

namespace tallivan::gui {

// 0 buy, 1 sell, 2 edit stock, 3 edit transaction, 4 update prices, 5 about.
QIcon toolBarImage(int index);

}  // namespace tallivan::gui
