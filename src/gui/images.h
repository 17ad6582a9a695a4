// The program's pictures, drawn in code.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tallivan::gui {

// The tool bar's images: 0 buy, 1 sell, 2 edit stock, 3 edit transaction, 4 update prices,
// 5 about.
QIcon toolBarImage(int index);

// The small images shared by the account tree and the four ledger lists, 16 pixels square:
// 0 / 1 tree node and selected node, 2 / 3 / 4 green, yellow and red disc, 5..12 the eight
// transaction types, 13..15 the three fund movements, 16 summary row, 17 locked account.
// Any other index gives an empty icon.
constexpr int kSmallImageCount = 18;
QIcon smallImage(int index);

// The program's own picture (window icon, about box), `size` pixels square.
QPixmap programPicture(int size);

}  // namespace tallivan::gui
