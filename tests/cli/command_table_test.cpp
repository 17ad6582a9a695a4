#include <gtest/gtest.h>

#include <set>
#include <string>

#include "commands.h"

namespace tallivan::cli {
namespace {

TEST(CommandTable, EveryVerbOfTheRegistryHasItsHandlerAndNoNameIsTakenTwice) {
    std::set<std::string> names;
    for (const CommandEntry& entry : commandTable()) {
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_NE(entry.handler, nullptr) << entry.name;
    }
    for (const CommandDefinition& row : commandRegistry()) {
        if (row.verb) {
            EXPECT_TRUE(names.count(row.verb)) << row.verb << " of " << row.name;
        }
    }
}

}  // namespace
}  // namespace tallivan::cli
