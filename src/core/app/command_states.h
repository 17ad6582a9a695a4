// Which commands can be clicked: every command starts enabled and the password command hidden;
// selecting a tree node sets the states of its kind.
#pragma once

#include <map>
#include <string>

namespace tallivan {

class CommandStates {
  public:
    CommandStates();

    enum class Selection { Group, OpenedAccount, FailedAccount };

    // The states for a selected group, an opened account or an account that failed to open.
    void select(Selection selection);

    // Building the tree with passwords wanted shows the password command; nothing hides it again.
    void showEditPassword() { visible_["mnuEditPwd"] = true; }

    // A command inside a disabled menu cannot run either.
    bool canRun(const std::string& command) const;
    bool enabled(const std::string& command) const;
    bool visible(const std::string& command) const;

    // Bumped by every change, so a view knows when to refresh.
    int revision() const { return revision_; }

  private:
    std::map<std::string, bool> enabled_;
    std::map<std::string, bool> visible_;
    int revision_ = 0;
};

}  // namespace tallivan
