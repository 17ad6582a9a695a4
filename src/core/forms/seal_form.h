// The dialog that seals an account, or gives a sealed one a new passphrase: the passphrase
// twice (any length, not the 8-byte password), and what sealing promises.
#pragma once

#include <string>

#include "forms/form.h"

namespace tallivan {

// The longest passphrase taken, in bytes.
constexpr std::size_t kPassphraseLimit = 1024;

class SealForm : public Form {
  public:
    explicit SealForm(Ui& ui);

    void press(std::string_view buttonName) override;

    // The passphrase typed, valid once the form closed with OK.
    const std::string& passphrase() const { return field(field_id::kPassphrase).text; }

    // What sealing does and does not protect, said in the dialog (GBK).
    static std::string promise();

  private:
    void confirm();
};

// The prompt for a sealed account's passphrase, asked whenever it opens. 1 for OK, 2 otherwise.
int promptPassphrase(Ui& ui, std::string& passphrase);
// Its caption, which a script recognises it by (GBK).
const std::string& passphrasePromptCaption();

}  // namespace tallivan
