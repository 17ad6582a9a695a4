#include "commands.h"

namespace tallivan::cli {

namespace {

// The registry's commands the command line reaches, each under the verb its row gives it.
const std::pair<CommandId, CommandHandler> kRegistryHandlers[] = {
    {CommandId::Options, runOptions},
    {CommandId::Configure, runConfig},
    {CommandId::StockNames, runName},
    {CommandId::ExportText, runExport},
    {CommandId::Import, runImport},
    {CommandId::UpdatePrices, runUpdatePrices},
    {CommandId::AddAccount, runAddAccount},
    {CommandId::EditAccount, runEditAccount},
    {CommandId::DeleteAccount, runDeleteAccount},
    {CommandId::ChangePassword, runPasswd},
    {CommandId::SealAccount, runSeal},
    {CommandId::UnsealAccount, runUnseal},
    {CommandId::AddFund, runFund},
    {CommandId::DeleteFund, runDeleteFund},
    {CommandId::Buy, runBuy},
    {CommandId::Subscribe, runSubscribe},
    {CommandId::Sell, runSell},
    {CommandId::RightsIssue, runRights},
    {CommandId::BonusShares, runBonus},
    {CommandId::Dividend, runDividend},
    {CommandId::SubscriptionWon, runWon},
    {CommandId::SubscriptionNotWon, runNotWon},
    {CommandId::EditStock, runEditStock},
    {CommandId::DeleteStock, runDeleteStock},
    {CommandId::EditTrade, runEditTrade},
    {CommandId::UndoTrade, runUndoTrade},
};

// What the command line does beyond the menus: the panels and pages it prints, and init.
const CommandEntry kOwnCommands[] = {
    {"fee", runFee},   {"budget", runBudget}, {"init", runInit},
    {"tree", runTree}, {"show", runShow},     {"report", runReport},
};

}  // namespace

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = [] {
        std::vector<CommandEntry> entries(std::begin(kOwnCommands), std::end(kOwnCommands));
        for (const auto& [command, handler] : kRegistryHandlers)
            entries.push_back({commandDefinition(command).verb, handler});
        return entries;
    }();
    return table;
}

}  // namespace tallivan::cli
