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

void Controller::start(FirstRun firstRun) {
    DataLockHold hold(lock_);
    lockOrComplain(hold);
    knownGeneration_ = lock_.generation();
    settings_ = defaultSettings();
    firstRun_ = false;
    // A file that is there but cannot be read is said, and kept from being replaced.
    const SettingsLoad load = loadSettings(fs_, settings_);
    settingsReadable_ = load != SettingsLoad::Unreadable;
    if (!settingsReadable_)
        showError(ui_, readFailedMessage(kSettingsFileName));
    if (load == SettingsLoad::Missing && firstRun == FirstRun::Prepare)
        prepareFirstRun();
    if (names_.load(fs_) < 0 && fs_.exists(kNameTableFileName))
        showError(ui_, readFailedMessage(kNameTableFileName));
    budget_ = std::make_unique<BudgetForm>(ui_, settings_);
    buildTree();
    const Date today = clock_.today();
    statusDate_ = isoDate(today);
    statusWeekday_ = weekdayName(weekdayOf(today));
}

void Controller::prepareFirstRun() {
    const std::vector<std::string> directories = searchDirectories(settings_);
    for (const std::string& directory : directories) {
        if (fs_.exists(directory))
            return;
    }
    // As the options command does on Yes.
    for (const std::string& directory : directories) {
        if (fs_.makeDirectory(directory) != 0)
            showError(ui_, writeFailedMessage(directory));
    }
    firstRun_ = true;
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
