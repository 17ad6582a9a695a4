#include "app/command_states.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tallivan {
namespace {

using Selection = CommandStates::Selection;

TEST(CommandStates, StartEnabledWithThePasswordCommandHidden) {
    CommandStates states;
    EXPECT_TRUE(states.enabled(CommandId::Buy));
    EXPECT_TRUE(states.canRun(CommandId::Configure));
    EXPECT_FALSE(states.visible(CommandId::ChangePassword));
    EXPECT_FALSE(states.canRun(CommandId::ChangePassword));
    states.showEditPassword();
    EXPECT_TRUE(states.canRun(CommandId::ChangePassword));
}

TEST(CommandStates, FollowTheSelectedNode) {
    const struct {
        CommandId command;
        bool group, opened, failed;
    } table[] = {
        {CommandId::StockMenu, true, true, false},
        {CommandId::Buy, false, true, true},
        {CommandId::Subscribe, false, true, true},
        {CommandId::BuyButton, false, true, false},
        {CommandId::SellButton, true, true, false},
        {CommandId::AddFund, false, true, false},
        {CommandId::DeleteFund, true, true, false},
        {CommandId::EditAccount, false, true, false},
        {CommandId::DeleteAccount, false, true, false},
        {CommandId::UpdatePrices, true, true, false},
        {CommandId::UpdatePricesButton, true, true, false},
        {CommandId::AddAccount, true, true, true},
    };
    for (const auto& row : table) {
        // Each state is reached from a fresh start, so "unchanged" entries read as enabled.
        for (const auto& [selection, expected] :
             {std::pair{Selection::Group, row.group},
              std::pair{Selection::OpenedAccount, row.opened},
              std::pair{Selection::FailedAccount, row.failed}}) {
            CommandStates states;
            states.select(selection);
            EXPECT_EQ(states.enabled(row.command), expected) << commandDefinition(row.command).name;
        }
    }
}

TEST(CommandStates, UnchangedEntriesKeepThePreviousState) {
    CommandStates states;
    states.select(Selection::Group);  // buying disabled for a group
    states.select(Selection::FailedAccount);
    EXPECT_FALSE(states.enabled(CommandId::Buy));  // a failed account leaves it as it was
    EXPECT_FALSE(states.canRun(CommandId::Sell));  // the whole stock menu is disabled
    EXPECT_TRUE(states.enabled(CommandId::Sell));
    states.select(Selection::OpenedAccount);
    states.select(Selection::Group);
    EXPECT_TRUE(states.enabled(CommandId::SellButton));  // a group leaves the tool button as it was
    EXPECT_TRUE(states.canRun(CommandId::Sell));
}

TEST(CommandRegistry, EachCommandHasOneRowAndOneName) {
    std::set<std::string> names, verbs;
    std::vector<int> rowsOf(kCommandCount, 0);
    for (const CommandDefinition& row : commandRegistry()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second) << "the name is given twice";
        if (row.verb) {
            EXPECT_TRUE(verbs.insert(row.verb).second) << "the verb is given twice";
        }
        const bool separator =
            row.kind == CommandKind::Separator || row.kind == CommandKind::ToolSeparator;
        EXPECT_EQ(row.id == CommandId::None, separator);
        if (!separator)
            ++rowsOf[indexOf(row.id)];
    }
    for (std::size_t id = 0; id < kCommandCount; ++id)
        EXPECT_EQ(rowsOf[id], 1) << "command number " << id;
}

TEST(CommandRegistry, EntriesSitInMenusAndButtonsRunCommands) {
    for (const CommandDefinition& row : commandRegistry()) {
        SCOPED_TRACE(row.name);
        switch (row.kind) {
            case CommandKind::Menu:
                if (row.parent != CommandId::None) {
                    EXPECT_EQ(commandDefinition(row.parent).kind, CommandKind::Menu);
                }
                EXPECT_EQ(row.run, nullptr);
                break;
            case CommandKind::Command:
            case CommandKind::Separator:
                ASSERT_NE(row.parent, CommandId::None);
                EXPECT_EQ(commandDefinition(row.parent).kind, CommandKind::Menu);
                break;
            case CommandKind::ToolButton:
                ASSERT_NE(row.parent, CommandId::None);
                EXPECT_EQ(commandDefinition(row.parent).kind, CommandKind::Command);
                EXPECT_GE(row.image, 0);
                break;
            case CommandKind::ToolSeparator:
                break;
        }
        if (row.verb) {
            EXPECT_NE(row.run, nullptr) << "the command line reaches it only through its method";
        }
    }
}

TEST(CommandRegistry, NamesAndVerbsLeadBackToTheirCommand) {
    EXPECT_EQ(commandNamed("mnuPeiStk"), CommandId::RightsIssue);
    EXPECT_EQ(commandNamed("cmdBuyStk"), CommandId::BuyButton);
    EXPECT_EQ(commandOfVerb("rights"), CommandId::RightsIssue);
    // A misspelt name or a separator's name is no command.
    EXPECT_EQ(commandNamed("mnuPeiStck"), std::nullopt);
    EXPECT_EQ(commandNamed("N3"), std::nullopt);
    EXPECT_EQ(commandOfVerb("by"), std::nullopt);
}

}  // namespace
}  // namespace tallivan
