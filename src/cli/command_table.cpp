#include "commands.h"

namespace tallivan::cli {

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = {
        {"fee", runFee},
        {"budget", runBudget},
        {"config", runConfig},
        {"init", runInit},
        {"tree", runTree},
        {"show", runShow},
        {"options", runOptions},
        {"add-account", runAddAccount},
        {"edit-account", runEditAccount},
        {"delete-account", runDeleteAccount},
        {"passwd", runPasswd},
        {"name", runName},
        {"fund", runFund},
        {"delete-fund", runDeleteFund},
        {"edit-stock", runEditStock},
        {"buy", runBuy},
        {"subscribe", runSubscribe},
        {"sell", runSell},
        {"rights", runRights},
        {"bonus", runBonus},
        {"dividend", runDividend},
        {"won", runWon},
        {"not-won", runNotWon},
        {"edit-trade", runEditTrade},
        {"undo-trade", runUndoTrade},
        {"delete-stock", runDeleteStock},
        {"update-prices", runUpdatePrices},
        {"export", runExport},
        {"import", runImport},
        {"report", runReport},
    };
    return table;
}

}  // namespace tallivan::cli
