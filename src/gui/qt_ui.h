// How the core reaches a person in the desktop program: Qt message boxes and modal dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "forms/ui.h"

namespace tallivan::gui {

class QtUi : public Ui {
  public:
    // The window that owns message boxes and dialogs when no modal dialog is open.
    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override;
    bool runDialog(Form& form) override;

  private:
    // The active modal dialog, else the active window, else the owner.
    QWidget* parentWindow() const;

    QPointer<QWidget> owner_;
};

}  // namespace tallivan::gui
