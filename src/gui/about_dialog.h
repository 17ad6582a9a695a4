// The about box: the program's name and version; 详细资料 reveals a short note below.
#pragma once

#include <QDialog>

namespace tallivan::gui {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace tallivan::gui
