#include "app/controller.h"

#include "forms/config_form.h"
#include "ledger/fees.h"

namespace tallivan {

Controller::Controller(Ui& ui, FileSystem& fs, Clock& clock)
    : ui_(ui), fs_(fs), clock_(clock), settings_(defaultSettings()), session_(fs), lock_(fs) {
    budget_ = std::make_unique<BudgetForm>(ui_, settings_);
}

// The lists point into the tree's nodes: empty them before the nodes go.
Controller::~Controller() {
    clearLists();
}

void Controller::start() {
    DataLockHold hold(lock_);
    lockOrComplain(hold);
    knownGeneration_ = lock_.generation();
    settings_ = defaultSettings();
    // A file that is there but cannot be read is said, and kept from being replaced.
    settingsReadable_ = loadSettings(fs_, settings_) != SettingsLoad::Unreadable;
    if (!settingsReadable_)
        showError(ui_, readFailedMessage(kSettingsFileName));
    if (names_.load(fs_) < 0 && fs_.exists(kNameTableFileName))
        showError(ui_, readFailedMessage(kNameTableFileName));
    budget_ = std::make_unique<BudgetForm>(ui_, settings_);
    buildTree();
    const Date today = clock_.today();
    statusDate_ = isoDate(today);
    statusWeekday_ = weekdayName(weekdayOf(today));
}

void Controller::configure() {
    ConfigForm form(ui_, settings_, [this] { storeSettings(); });
    ui_.runDialog(form);
}

FeeQuote Controller::quoteFee(const std::string& code, std::int32_t shares, double price) const {
    FeeQuote quote;
    quote.category = categoryOfCode(settings_, code);
    quote.fee = tradeFee(settings_.categories, shares, quote.category, price);
    return quote;
}

}  // namespace tallivan
