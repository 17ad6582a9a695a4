// The common ground of every dialog view: a modal QDialog over a core form. A view lays out its
// widgets, named as the form's fields, with the helpers below, then binds them to the form; the
// tab order is the form's field order. The dialog closes once the form's result is no longer
// open; Esc and the close box cancel the form.
#pragma once

#include <QDialog>
#include <initializer_list>

#include "forms/form.h"

class QBoxLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallivan::gui {

class FormBinder;

class FormDialog : public QDialog {
    Q_OBJECT
  public:
    FormDialog(Form& form, QWidget* parent);

    void reject() override;

    const FormBinder& binder() const { return *binder_; }

  protected:
    // What Enter does outside a button: move on to the next control in the form's field order
    // (also to read-only fields that Tab skips), or press the dialog's default button.
    enum class EnterKey { NextControl, DefaultButton };

    // Binds the form to the widgets made so far and puts them in the form's order. A view calls
    // it last in its constructor.
    void bindForm(EnterKey enter);

    Form& form() { return form_; }

    // Widgets for the form's fields, named as the fields. `chars` sizes an edit for that many
    // digits (0: the layout decides).
    QLineEdit* edit(const char* name, int chars = 0);
    QWidget* fieldWidget(const char* name);
    QPushButton* button(const char* name);
    // The field's label, its buddy being the field's widget (made before).
    QLabel* label(const char* name);
    // A group box; its caption comes from the field of that name when the form has one.
    QGroupBox* group(const char* name, const QString& caption = {});
    // The three date boxes "year - month - day" in one row.
    QHBoxLayout* dateRow(const char* year, const char* month, const char* day);
    // The buttons of the dialog, right-aligned in one row.
    QHBoxLayout* buttonRow(std::initializer_list<const char*> names);
    // A fixed text after a field ("-" between the date boxes).
    QLabel* fixedText(const QString& text);
    // The field's suffix ("%", "/千股", the parts of a fee), kept as the form changes it.
    QLabel* suffix(const char* name);

    void keyPressEvent(QKeyEvent* event) override;

  private:
    void closeWhenDone();
    void focusNextField();

    Form& form_;
    FormBinder* binder_ = nullptr;
    EnterKey enter_ = EnterKey::NextControl;
};

}  // namespace tallivan::gui
