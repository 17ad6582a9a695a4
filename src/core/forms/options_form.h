// The options dialog: the account search directories and whether accounts ask for passwords.
#pragma once

#include "forms/form.h"
#include "storage/settings.h"

namespace tallivan {

class OptionsForm : public Form {
  public:
    OptionsForm(Ui& ui, Settings& settings);

    // OK stores both fields into the settings; Cancel stores nothing.
    void press(std::string_view buttonName) override;

  private:
    Settings& settings_;
};

}  // namespace tallivan
