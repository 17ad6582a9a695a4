#include "app/command_states.h"

namespace tallivan {

CommandStates::CommandStates() {
    enabled_.fill(true);
    visible_.fill(true);
    for (const CommandDefinition& row : commandRegistry()) {
        if (row.startsHidden)
            visible_[indexOf(row.id)] = false;
    }
}

void CommandStates::select(Selection selection) {
    for (const CommandDefinition& row : commandRegistry()) {
        const Availability change = selection == Selection::Group           ? row.onGroup
                                    : selection == Selection::OpenedAccount ? row.onOpened
                                                                            : row.onFailed;
        if (change != Availability::Keep)
            enabled_[indexOf(row.id)] = change == Availability::On;
    }
    ++revision_;
}

void CommandStates::showEditPassword() {
    visible_[indexOf(CommandId::ChangePassword)] = true;
}

bool CommandStates::canRun(CommandId command) const {
    if (!enabled(command) || !visible(command))
        return false;
    // A menu entry runs only while every menu above it is enabled; a button answers for itself.
    const CommandDefinition& row = commandDefinition(command);
    if (row.kind != CommandKind::Command && row.kind != CommandKind::Menu)
        return true;
    for (CommandId menu = row.parent; menu != CommandId::None;
         menu = commandDefinition(menu).parent) {
        if (!enabled(menu))
            return false;
    }
    return true;
}

}  // namespace tallivan
