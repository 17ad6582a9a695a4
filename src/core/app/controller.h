// The main window without widgets: it owns the settings and the budget panel, and runs every
// menu command. Both faces call it; it talks to a person only through the Ui.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/command_states.h"
#include "base/clock.h"
#include "forms/budget_form.h"
#include "forms/ui.h"
#include "storage/file_io.h"
#include "storage/settings.h"

namespace tallivan {

struct FeeQuote {
    int category = -1;
    double fee = 0.0;
};

class Controller {
  public:
    Controller(Ui& ui, FileSystem& fs, Clock& clock);
    ~Controller();

    // Start-up: the default settings with the settings file over them, the budget panel's
    // category list, today's date for the status bar.
    void start();

    const Settings& settings() const { return settings_; }
    BudgetForm& budget() { return *budget_; }
    const CommandStates& commands() const { return commands_; }

    // The status bar's date ("YYYY-MM-DD") and weekday panels, fixed at start-up (GBK).
    const std::string& statusDate() const { return statusDate_; }
    const std::string& statusWeekday() const { return statusWeekday_; }

    // 设置参数: the settings dialog; each applied row is saved at once.
    void configure();

    // The fee of trading `shares` of `code` at `price`, and the code's category.
    FeeQuote quoteFee(const std::string& code, std::int32_t shares, double price) const;

    Ui& ui() { return ui_; }
    FileSystem& files() { return fs_; }
    Clock& clock() { return clock_; }

  private:
    Ui& ui_;
    FileSystem& fs_;
    Clock& clock_;
    Settings settings_;
    std::unique_ptr<BudgetForm> budget_;
    CommandStates commands_;
    std::string statusDate_;
    std::string statusWeekday_;
};

}  // namespace tallivan
