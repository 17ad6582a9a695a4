#include "app/controller.h"

#include "forms/config_form.h"
#include "ledger/fees.h"

namespace tallivan {

Controller::Controller(Ui& ui, FileSystem& fs, Clock& clock)
    : ui_(ui), fs_(fs), clock_(clock), settings_(defaultSettings()) {
    budget_ = std::make_unique<BudgetForm>(ui_, settings_);
}

// The lists point into the tree's nodes: empty them before the nodes go.
Controller::~Controller() {
    clearLists();
}

void Controller::start() {
    settings_ = defaultSettings();
    loadSettings(fs_, settings_);
    names_.load(fs_);
    budget_ = std::make_unique<BudgetForm>(ui_, settings_);
    buildTree();
    const Date today = clock_.today();
    statusDate_ = isoDate(today);
    statusWeekday_ = weekdayName(weekdayOf(today));
}

void Controller::configure() {
    ConfigForm form(ui_, settings_, [this] { saveSettings(fs_, settings_); });
    ui_.runDialog(form);
}

FeeQuote Controller::quoteFee(const std::string& code, std::int32_t shares, double price) const {
    FeeQuote quote;
    quote.category = categoryOfCode(settings_, code);
    quote.fee = tradeFee(settings_.categories, shares, quote.category, price);
    return quote;
}

}  // namespace tallivan
