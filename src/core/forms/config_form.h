// The settings dialog: edits one row of the category and fee table at a time and saves the
// whole record when the row is applied.
#pragma once

#include <cstdint>
#include <functional>

#include "forms/form.h"
#include "storage/settings.h"

namespace tallivan {

class ConfigForm : public Form {
  public:
    // `save` writes the whole settings record; it runs each time a row is applied.
    ConfigForm(Ui& ui, Settings& settings, std::function<void()> save);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;
    void select(std::string_view fieldName, int index) override;

    // 设置: stores the shown row into the table and saves.
    void apply();

  private:
    void showRow(int index);

    Settings& settings_;
    std::function<void()> save_;
    // The working copy of the shown row.
    std::int8_t codeLength_ = 0;
    double values_[6] = {};
};

}  // namespace tallivan
