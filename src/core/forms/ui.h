// How the core talks to a person: message boxes, modal dialogs and which list has the focus.
// The desktop program and the command-line face each implement it. All texts are GBK.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tallivan {

class Form;

enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

class Ui {
  public:
    virtual ~Ui() = default;

    // A modal message box; returns the button pressed.
    virtual Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                           MessageButtons buttons) = 0;

    // Runs `form` as a modal dialog until it closes; true when it closed with OK.
    virtual bool runDialog(Form& form) = 0;

    // Asks for a file to read, offering the kinds `filter` names ("交割单 (*.xls *.csv)");
    // its path, or nothing when the person cancels. A face without files cancels.
    virtual std::optional<std::string> chooseFileToOpen(const std::string& caption,
                                                        const std::string& filter);

    // How far a long command has come: `done` of `total` steps. The command ends with done ==
    // total. A face that shows nothing ignores it.
    virtual void showProgress(const std::string& caption, std::size_t done, std::size_t total);
};

// The message every unparsable number field shows.
std::string invalidValueMessage(const std::string& text);

// The common message boxes.
void showError(Ui& ui, const std::string& text);   // caption 错误, error icon, OK
void showNotice(Ui& ui, const std::string& text);  // caption 提示, information icon, OK
bool askWarning(Ui& ui, const std::string& text);  // caption 警告, warning icon, Yes/No
bool askConfirm(Ui& ui, const std::string& text);  // caption 确认, question icon, Yes/No

}  // namespace tallivan
