#include "app/account_tree.h"

#include "base/gbk.h"
#include "storage/account_file.h"
#include "storage/group_marker.h"

namespace tallivan {

std::vector<std::string> searchDirectories(const Settings& settings) {
    std::string rest = fieldText(settings.accountSearchDir, sizeof settings.accountSearchDir);
    std::vector<std::string> directories;
    while (!rest.empty()) {
        const std::size_t cut = rest.rfind(';');
        const std::string item = cut == std::string::npos ? rest : rest.substr(cut + 1);
        rest.resize(cut == std::string::npos ? 0 : cut);
        if (!item.empty())
            directories.push_back(item);
    }
    return directories;
}

void AccountTree::build(FileSystem& fs, const Settings& settings) {
    nodes_.clear();
    const bool locked = settings.wantPassword != 0;
    for (const std::string& directory : searchDirectories(settings)) {
        TreeNode group;
        group.isGroup = true;
        group.text = groupNameOf(fs, directory);
        group.path = directory;
        nodes_.push_back(std::move(group));
        for (const std::string& name : fs.listFiles(directory, ".acc")) {
            const std::string path = joinPath(directory, name);
            const auto header = readStoredHeader(fs, path, OpenMode::ReadWrite);
            const bool sealed = header && hasSealedMagic(&*header, sizeof *header);
            if (!header || (!hasAccountMagic(*header) && !sealed))
                continue;
            TreeNode account;
            // A sealed account's title is sealed too: it shows once the account is open.
            account.text = sealed ? gbk("加密帐户")
                                  : cutGbk(fieldText(header->title, sizeof header->title), 10);
            account.path = path;
            account.image = locked || sealed ? kTreeImageLocked : kTreeImage;
            account.selectedImage = locked || sealed ? kTreeImageLocked : kTreeImageSelected;
            account.account = std::make_unique<AccountNode>();
            account.account->path = path;
            nodes_.push_back(std::move(account));
        }
    }
}

int AccountTree::groupOf(int index) const {
    while (index > 0 && !node(index).isGroup)
        --index;
    return index;
}

std::vector<int> AccountTree::accountsOf(int group) const {
    std::vector<int> accounts;
    for (int i = group + 1; i < size() && !node(i).isGroup; ++i)
        accounts.push_back(i);
    return accounts;
}

std::optional<int> AccountTree::find(const std::string& path) const {
    for (int i = 0; i < size(); ++i) {
        if (node(i).path == path)
            return i;
    }
    return std::nullopt;
}

int AccountTree::appendAccount(int group, TreeNode account) {
    int at = group + 1;
    while (at < size() && !node(at).isGroup)
        ++at;
    nodes_.insert(nodes_.begin() + at, std::move(account));
    return at;
}

void AccountTree::remove(int index) {
    nodes_.erase(nodes_.begin() + index);
}

}  // namespace tallivan
