#include "app/command_states.h"

#include <gtest/gtest.h>

namespace tallivan {
namespace {

using Selection = CommandStates::Selection;

TEST(CommandStates, StartEnabledWithThePasswordCommandHidden) {
    CommandStates states;
    EXPECT_TRUE(states.enabled("mnuBuyStk"));
    EXPECT_TRUE(states.canRun("mnuConfig"));
    EXPECT_FALSE(states.visible("mnuEditPwd"));
    EXPECT_FALSE(states.canRun("mnuEditPwd"));
    states.showEditPassword();
    EXPECT_TRUE(states.canRun("mnuEditPwd"));
}

TEST(CommandStates, FollowTheSelectedNode) {
    const struct {
        const char* command;
        bool group, opened, failed;
    } table[] = {
        {"mnuStock", true, true, false},    {"mnuBuyStk", false, true, true},
        {"mnuApplyStk", false, true, true}, {"cmdBuyStk", false, true, false},
        {"cmdSellStk", true, true, false},  {"mnuFund", false, true, false},
        {"mnuDelFund", true, true, false},  {"mnuEditAcc", false, true, false},
        {"mnuDelAcc", false, true, false},  {"mnuReadSpj", true, true, false},
        {"cmdReadSpj", true, true, false},  {"mnuAddAcc", true, true, true},
    };
    for (const auto& row : table) {
        // Each state is reached from a fresh start, so "unchanged" entries read as enabled.
        for (const auto& [selection, expected] :
             {std::pair{Selection::Group, row.group},
              std::pair{Selection::OpenedAccount, row.opened},
              std::pair{Selection::FailedAccount, row.failed}}) {
            CommandStates states;
            states.select(selection);
            EXPECT_EQ(states.enabled(row.command), expected) << row.command;
        }
    }
}

TEST(CommandStates, UnchangedEntriesKeepThePreviousState) {
    CommandStates states;
    states.select(Selection::Group);  // buying disabled for a group
    states.select(Selection::FailedAccount);
    EXPECT_FALSE(states.enabled("mnuBuyStk"));  // a failed account leaves it as it was
    EXPECT_FALSE(states.canRun("mnuSellStk"));  // the whole stock menu is disabled
    EXPECT_TRUE(states.enabled("mnuSellStk"));
    states.select(Selection::OpenedAccount);
    states.select(Selection::Group);
    EXPECT_TRUE(states.enabled("cmdSellStk"));  // a group leaves the tool button as it was
    EXPECT_TRUE(states.canRun("mnuSellStk"));
}

}  // namespace
}  // namespace tallivan
