#include "app/command_states.h"

#include <initializer_list>

namespace tallivan {

namespace {

// The commands of the 股票 menu, which its menu's state governs as well.
const std::initializer_list<const char*> kStockMenuCommands = {
    "mnuBuyStk",     "mnuApplyStk",   "mnuSellStk", "mnuPeiStk", "mnuSendStk", "mnuFh",
    "mnuApplyStkOk", "mnuApplyStkNo", "mnuEditStk", "mnuDelStk", "mnuEditRec", "mnuDelRec"};

enum Change { Off, On, Same };

struct Row {
    std::initializer_list<const char*> commands;
    Change group, opened, failed;
};

const Row kTable[] = {
    {{"mnuStock"}, On, On, Off},
    {{"mnuBuyStk", "mnuApplyStk"}, Off, On, Same},
    {{"cmdBuyStk"}, Off, On, Off},
    {{"cmdSellStk", "cmdEditStk", "cmdEditRec"}, Same, On, Off},
    {{"mnuFund", "mnuImport"}, Off, On, Off},
    {{"mnuDelFund"}, On, On, Off},
    {{"mnuEditAcc", "mnuEditPwd", "mnuDelAcc"}, Off, On, Off},
    {{"mnuReadSpj", "cmdReadSpj"}, On, On, Off},
};

}  // namespace

CommandStates::CommandStates() {
    visible_["mnuEditPwd"] = false;
}

void CommandStates::select(Selection selection) {
    for (const Row& row : kTable) {
        const Change change = selection == Selection::Group           ? row.group
                              : selection == Selection::OpenedAccount ? row.opened
                                                                      : row.failed;
        if (change == Same)
            continue;
        for (const char* command : row.commands)
            enabled_[command] = change == On;
    }
    ++revision_;
}

bool CommandStates::enabled(const std::string& command) const {
    const auto it = enabled_.find(command);
    return it == enabled_.end() || it->second;
}

bool CommandStates::visible(const std::string& command) const {
    const auto it = visible_.find(command);
    return it == visible_.end() || it->second;
}

bool CommandStates::canRun(const std::string& command) const {
    if (!enabled(command) || !visible(command))
        return false;
    for (const char* inMenu : kStockMenuCommands) {
        if (command == inMenu)
            return enabled("mnuStock");
    }
    return true;
}

}  // namespace tallivan
