// The desktop program's person: Qt message boxes and modal dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "forms/ui.h"

namespace tallivan::gui {

class QtUi : public Ui {
  public:
    // Message boxes and dialogs are owned by this window (the main window once it exists).
    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override;
    bool runDialog(Form& form) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace tallivan::gui
