// A modal dialog laid out from any form's fields: per field a label, its widget and the suffix
// text, the buttons in a row below. It serves every dialog that has no view of its own yet.
// It closes once the form's result is no longer open; Esc and the close box cancel the form.
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

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void closeWhenDone();

    Form& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace tallivan::gui
