// A dialog laid out from any form's fields: per field a label, its widget and the suffix text,
// the buttons in a row below. It serves a form that has no view of its own.
#pragma once

#include "form_dialog.h"

namespace tallivan::gui {

class GenericDialog : public FormDialog {
    Q_OBJECT
  public:
    GenericDialog(Form& form, QWidget* parent);
};

}  // namespace tallivan::gui
