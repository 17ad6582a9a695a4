// Which commands can be clicked: every command starts enabled and the password command hidden;
// selecting a tree node sets the states its registry row gives for that kind of node.
#pragma once

#include <array>

#include "app/command_registry.h"

namespace tallivan {

class CommandStates {
  public:
    CommandStates();

    enum class Selection { Group, OpenedAccount, FailedAccount };

    // The states for a selected group, an opened account or an account that failed to open.
    void select(Selection selection);

    // Building the tree with passwords wanted shows the password command; nothing hides it again.
    void showEditPassword();

    // A command inside a disabled menu cannot run either.
    bool canRun(CommandId command) const;
    bool enabled(CommandId command) const { return enabled_[indexOf(command)]; }
    bool visible(CommandId command) const { return visible_[indexOf(command)]; }

    // Bumped by every change, so a view knows when to refresh.
    int revision() const { return revision_; }

  private:
    std::array<bool, kCommandCount> enabled_;
    std::array<bool, kCommandCount> visible_;
    int revision_ = 0;
};

}  // namespace tallivan
