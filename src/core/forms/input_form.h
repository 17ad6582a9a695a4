// The one-line input prompt: a label, an edit and OK / Cancel. Used for an account's password
// and for a share count.
#pragma once

#include <string>

#include "forms/form.h"

namespace tallivan {

class InputForm : public Form {
  public:
    // mode 0: plain text; not 0: every character shown as "*"; above 0: also the fewest
    // characters OK accepts. `maxLength` is the most bytes the edit takes.
    InputForm(Ui& ui, std::string caption, std::string label, std::string initialText, int mode,
              std::size_t maxLength);

    void press(std::string_view buttonName) override;

    // The text typed, valid once the form closed with OK.
    const std::string& text() const { return field(field_id::kText).text; }

  private:
    int mode_;
};

// Shows the prompt; on OK `buffer` receives the typed text. Returns 1 for OK, 2 otherwise.
int promptText(Ui& ui, const std::string& caption, const std::string& label, std::string& buffer,
               int mode, std::size_t maxLength);

// The prompt for an account's password (masked, at most 8 bytes, empty at first).
int promptPassword(Ui& ui, std::string& password);

}  // namespace tallivan
