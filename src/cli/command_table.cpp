#include "commands.h"

namespace tallivan::cli {

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = {
        {"fee", runFee},
        {"budget", runBudget},
        {"config", runConfig},
    };
    return table;
}

}  // namespace tallivan::cli
