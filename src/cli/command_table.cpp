#include "commands.h"

namespace tallivan::cli {

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = {
        {"fee", runFee},
        {"budget", runBudget},
        {"config", runConfig},
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
    };
    return table;
}

}  // namespace tallivan::cli
