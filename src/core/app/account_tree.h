// The tree of account groups and their accounts: groups on the top level, each followed by its
// accounts. Positions count through the whole tree in that order. Each account node owns its
// AccountNode, whose address stays the same while the node exists.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ledger/account_node.h"
#include "storage/file_io.h"
#include "storage/settings.h"

namespace tallivan {

// Tree images: 0 and 1 normal and selected, 17 for an account that still asks for its password.
constexpr int kTreeImage = 0;
constexpr int kTreeImageSelected = 1;
constexpr int kTreeImageLocked = 17;

struct TreeNode {
    bool isGroup = false;
    std::string text;  // GBK label
    std::string path;  // a group's directory as listed in the settings; an account's file
    int image = kTreeImage;
    int selectedImage = kTreeImageSelected;
    std::unique_ptr<AccountNode> account;  // account nodes only
};

// The search directories in the order their groups appear: the list split at ";" from its
// end, empty items skipped.
std::vector<std::string> searchDirectories(const Settings& settings);

class AccountTree {
  public:
    void clear() { nodes_.clear(); }

    // One group per search directory, named by its marker file, with one account per "*.acc"
    // file that can be opened for reading and writing and starts with an account header.
    void build(FileSystem& fs, const Settings& settings);

    int size() const { return static_cast<int>(nodes_.size()); }
    bool empty() const { return nodes_.empty(); }
    TreeNode& node(int index) { return nodes_.at(static_cast<std::size_t>(index)); }
    const TreeNode& node(int index) const { return nodes_.at(static_cast<std::size_t>(index)); }

    // The group a node belongs to (a group belongs to itself).
    int groupOf(int index) const;
    // The positions of a group's accounts, in tree order.
    std::vector<int> accountsOf(int group) const;
    // The position of the node with `path` (a group's directory or an account's file).
    std::optional<int> find(const std::string& path) const;

    // Appends an account node as the last child of `group`; returns its position.
    int appendAccount(int group, TreeNode node);
    void remove(int index);

  private:
    std::vector<TreeNode> nodes_;
};

}  // namespace tallivan
