// The desktop Ui with its real dialogs, for GUI tests whose commands ask questions: message
// boxes are recorded and answered Yes (or OK).
#pragma once

#include <string>
#include <vector>

#include "qt_ui.h"
#include "support/recording_ui.h"

namespace tallivan::testing {

class YesQtUi : public gui::QtUi {
  public:
    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    }
    std::vector<ShownMessage> messages;
};

}  // namespace tallivan::testing
