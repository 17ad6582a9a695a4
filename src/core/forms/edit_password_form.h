// The password change dialog: old password, new password twice. Passwords are 8 bytes, the
// text followed by zero bytes; letters are typed in lower case.
#pragma once

#include <array>
#include <string>

#include "forms/form.h"

namespace tallivan {

using PasswordBytes = std::array<char, 8>;

// The 8-byte form of a password text (at most 8 bytes kept).
PasswordBytes passwordBytes(const std::string& text);

class EditPasswordForm : public Form {
  public:
    // `password` holds the account's current password; after OK it holds the new one.
    EditPasswordForm(Ui& ui, PasswordBytes& password);

    void press(std::string_view buttonName) override;

  private:
    void confirm();

    PasswordBytes& password_;
};

}  // namespace tallivan
