// The command line's person: it answers every question with Yes/OK, prints every message box
// as "CAPTION: TEXT", and fills each dialog from a script of typed values and pressed buttons.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/ui.h"

namespace tallivan::cli {

// A mistake in the command line itself (exit status 2).
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What a person does in one dialog, in order. Values are UTF-8 as given on the command line.
struct DialogStep {
    enum class Kind { Select, Type, Toggle, Press, Inspect };
    Kind kind;
    std::string field;
    std::string text;      // Type
    int index = 0;         // Select
    bool checked = false;  // Toggle
};

class DialogScript {
  public:
    DialogScript& select(std::string field, int index);
    // Values for several fields; they are typed in the dialog's tab order, each field left.
    DialogScript& typeAll(std::map<std::string, std::string> values);
    DialogScript& toggle(std::string field, bool checked);
    DialogScript& press(std::string button);
    // Looks at the dialog as it stands (to print what it shows).
    DialogScript& inspect(std::function<void(const Form&)> look);

    // Runs the steps on `form`. A value for a read-only field is a UsageError.
    void runOn(Form& form) const;

  private:
    struct Entry {
        DialogStep step;
        std::map<std::string, std::string> values;  // for typeAll
        std::function<void(const Form&)> look;      // for inspect
    };
    std::vector<Entry> entries_;
};

class ScriptedUi : public Ui {
  public:
    explicit ScriptedUi(std::ostream& err) : err_(err) {}

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override;
    bool runDialog(Form& form) override;

    // The script for the next dialog that opens; a dialog without one is cancelled.
    void expectDialog(DialogScript script) { scripts_.push_back(std::move(script)); }

    // The file the next file chooser returns (GBK); without one it is cancelled.
    void expectFile(std::string path) { files_.push_back(std::move(path)); }
    std::optional<std::string> chooseFileToOpen(const std::string& caption,
                                                const std::string& filter) override;

    // The text typed into every password prompt; without it the prompt is cancelled.
    void setPassword(std::string password) { password_ = std::move(password); }
    const std::optional<std::string>& password() const { return password_; }

    // True once a message captioned 错误 was shown.
    bool sawError() const { return sawError_; }

  private:
    std::ostream& err_;
    std::deque<DialogScript> scripts_;
    std::deque<std::string> files_;
    std::optional<std::string> password_;
    bool sawError_ = false;
};

}  // namespace tallivan::cli
