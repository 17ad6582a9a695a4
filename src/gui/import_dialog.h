// The 导入交割单 dialog: the statement's file, its rows in a table coloured by what becomes of
// them, the count of each, and 导入 / 取消.
#pragma once

#include "form_dialog.h"

namespace tallivan {
class ImportForm;
}

namespace tallivan::gui {

class ImportDialog : public FormDialog {
    Q_OBJECT
  public:
    ImportDialog(ImportForm& form, QWidget* parent);
};

}  // namespace tallivan::gui
