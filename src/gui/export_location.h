// 导出数据 → 导出到: the directory the exports are written to, chosen with the desktop's
// directory dialog.
#pragma once

class QWidget;

namespace tallivan {
class Controller;
}

namespace tallivan::gui {

// Opens the directory dialog at the directory the exports go to now; the directory chosen
// takes the exports from then on. Cancel changes nothing.
void chooseExportDirectory(QWidget* parent, Controller& controller);

}  // namespace tallivan::gui
