// The settings dialog: edits one row of the category and fee table at a time and saves the
// whole record when the row is applied; one button replaces the whole table by today's fee
// schedule.
#pragma once

#include <cstdint>
#include <functional>

#include "forms/form.h"
#include "storage/settings.h"

namespace tallivan {

class ConfigForm : public Form {
  public:
    // `save` writes the whole settings record; it runs each time a row or the table is applied.
    ConfigForm(Ui& ui, Settings& settings, std::function<void()> save);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;
    void select(std::string_view fieldName, int index) override;
    void toggle(std::string_view fieldName, bool checked) override;

    // 设置: stores the shown row into the table and saves.
    void apply();
    // 现行费率: after a question, replaces all 20 rows by today's schedule and saves.
    void applyCurrentSchedule();

  private:
    void showRow(int index);
    void showFeeRules();
    // Whether the value edit `index` holds a rate in percent kept to four decimals: the rates
    // of a row under today's rules (old rows keep the cent, as they always did).
    bool keepsFourDecimals(std::size_t index) const;

    Settings& settings_;
    std::function<void()> save_;
    // The working copy of the shown row.
    std::int8_t codeLength_ = 0;
    double values_[6] = {};
    std::uint8_t feeRules_ = 0;
};

}  // namespace tallivan
