#include "app/controller.h"

#include "base/gbk.h"
#include "forms/config_form.h"
#include "ledger/fee_schedule.h"
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
    // A new data directory starts with today's fee schedule.
    applyCurrentFeeSchedule(settings_);
    if (saveSettings(fs_, settings_) != 0)
        showError(ui_, writeFailedMessage(kSettingsFileName));
    else
        noteOwnChange();
    firstRun_ = true;
}

void Controller::configure() {
    ConfigForm form(ui_, settings_, [this] { storeSettings(); });
    ui_.runDialog(form);
}

bool Controller::setUpNewDataDirectory() {
    WriteScope scope(*this);
    if (!scope.ok())
        return false;
    if (fs_.exists(kSettingsFileName)) {
        showError(ui_, gbk("数据目录已有设置文件 zrstk.cfg,未作改动。"));
        return false;
    }
    Settings fresh = defaultSettings();
    applyCurrentFeeSchedule(fresh);
    // The directories first: a set-up that fails there leaves no settings file behind, so it
    // can simply be run again. The data directory itself may be new too.
    if (!fs_.isDirectory("") && fs_.makeDirectory("") != 0) {
        showError(ui_, gbk("无法创建数据目录!"));
        return false;
    }
    for (const std::string& directory : searchDirectories(fresh)) {
        if (!fs_.isDirectory(directory) && fs_.makeDirectory(directory) != 0) {
            showError(ui_, gbk("无法创建目录 “") + directory + gbk("”!"));
            return false;
        }
    }
    if (saveSettings(fs_, fresh) != 0) {
        showError(ui_, writeFailedMessage(kSettingsFileName));
        return false;
    }
    scope.changedFiles();
    settings_ = fresh;
    Field& categories = budget_->field(field_id::kStockCategory);
    categories.items = categoryNames(settings_);
    budget_->touch();
    buildTree();
    return scope.commit();
}

FeeQuote Controller::quoteFee(const std::string& code, std::int32_t shares, double price,
                              TradeSide side) const {
    FeeQuote quote;
    quote.category = categoryOfCode(settings_, code);
    quote.fee = tradeFee(settings_.categories, shares, quote.category, price, side);
    return quote;
}

bool Controller::run(CommandId command) {
    const CommandDefinition& row = commandDefinition(command);
    if (!row.run || !commands_.canRun(command))
        return false;
    (this->*row.run)();
    return true;
}

}  // namespace tallivan
