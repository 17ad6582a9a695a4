// A modal dialog laid out from any form's fields: a label and a widget per field, the buttons
// in a row. It serves every dialog that has no view of its own yet.
#pragma once

#include <QDialog>

#include "forms/form.h"

namespace tallivan::gui {

class FormBinder;

class GenericDialog : public QDialog {
    Q_OBJECT
  public:
    GenericDialog(Form& form, QWidget* parent);

    void reject() override;

  private:
    void closeWhenDone();

    Form& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace tallivan::gui
