// A Ui for tests: records every message box, answers with a preset answer and hands each
// dialog to a callback.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/ui.h"

namespace tallivan::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
};

class RecordingUi : public Ui {
  public:
    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        if (buttons == MessageButtons::YesNo)
            return answerYes ? Answer::Yes : Answer::No;
        if (buttons == MessageButtons::OkCancel)
            return answerYes ? Answer::Ok : Answer::Cancel;
        return Answer::Ok;
    }

    bool runDialog(Form& form) override {
        ++dialogsRun;
        if (onDialog)
            onDialog(form);
        if (form.isOpen())
            form.cancel();
        return form.result() == Form::Result::Ok;
    }

    std::optional<std::string> chooseFileToOpen(const std::string&, const std::string&) override {
        return fileToOpen;
    }

    void showProgress(const std::string&, std::size_t done, std::size_t total) override {
        progress.emplace_back(done, total);
    }

    std::vector<ShownMessage> messages;
    bool answerYes = true;
    int dialogsRun = 0;
    std::function<void(Form&)> onDialog;
    // The file a file chooser returns (nothing: the person cancels it).
    std::optional<std::string> fileToOpen;
    std::vector<std::pair<std::size_t, std::size_t>> progress;  // done, total
};

// What a person does in a field: types the text, then leaves the field.
inline void typeAndLeave(Form& form, const std::string& field, const std::string& text) {
    form.type(field, text);
    form.leave(field);
}

}  // namespace tallivan::testing
