// How the core reaches a person in the desktop program: Qt message boxes and modal dialogs.
#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <memory>

#include "forms/ui.h"

namespace tallivan::gui {

class QtUi : public Ui {
  public:
    // The window that owns message boxes and dialogs when no modal dialog is open.
    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override;
    bool runDialog(Form& form) override;
    std::optional<std::string> chooseFileToOpen(const std::string& caption,
                                                const std::string& filter) override;
    void showProgress(const std::string& caption, std::size_t done, std::size_t total) override;

  private:
    // The active modal dialog, else the active window, else the owner.
    QWidget* parentWindow() const;

    QPointer<QWidget> owner_;
    // Shown while a long command runs, gone when it ends.
    std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace tallivan::gui
