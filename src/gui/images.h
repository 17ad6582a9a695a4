// The program's pictures, drawn in code.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tallivan::gui {

// The tool bar's images: 0 buy, 1 sell, 2 edit stock, 3 edit transaction, 4 update prices,
// 5 about.
QIcon toolBarImage(int index);

// The program's own picture (window icon, about box), `size` pixels square.
QPixmap programPicture(int size);

}  // namespace tallivan::gui
