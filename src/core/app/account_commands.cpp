// The commands of the file and account menus that change settings, accounts and names:
// options, add / edit / delete account, change password, stock names.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/account_form.h"
#include "forms/edit_password_form.h"
#include "forms/options_form.h"
#include "forms/stock_code_form.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"
#include "storage/slot_journal.h"

namespace tallivan {

namespace {}  // namespace

bool Controller::storeSettings() {
    WriteScope scope(*this);
    if (!scope.ok())
        return false;
    // A settings file that exists but could not be read is never replaced by these settings.
    if (!settingsReadable_ || saveSettings(fs_, settings_) != 0) {
        showError(ui_, writeFailedMessage(kSettingsFileName));
        return false;
    }
    scope.changedFiles();
    return scope.commit();
}

bool Controller::editSettings(Form& form) {
    if (!ui_.runDialog(form))
        return false;
    return storeSettings();
}

void Controller::options() {
    OptionsForm form(ui_, settings_);
    if (!editSettings(form))
        return;
    for (const std::string& directory : searchDirectories(settings_)) {
        if (fs_.isDirectory(directory))
            continue;
        const Answer answer = ui_.message(gbk("目录 “") + directory + gbk("” 不存在,是否创建?"),
                                          gbk("确认"), MessageIcon::Warning, MessageButtons::YesNo);
        if (answer == Answer::Yes && fs_.makeDirectory(directory) != 0)
            showError(ui_, writeFailedMessage(directory));
    }
    buildTree();
}

TreeNode* Controller::selectedAccountOrComplain() {
    if (!selected_ || tree_.node(*selected_).isGroup) {
        showError(ui_, gbk("请先选择帐户!"));
        return nullptr;
    }
    return &tree_.node(*selected_);
}

void Controller::addAccount() {
    if (!selected_) {
        showError(ui_, gbk("请选择新帐户所属的帐户组!"));
        return;
    }
    const int group = tree_.groupOf(*selected_);
    AccountHeader header{};
    AccountForm form(ui_, AccountForm::Mode::Add, header, clock_.today());
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    // Under the lock no other program takes the same number.
    const std::string path = newAccountPath(fs_, tree_.node(group).path);
    makeHeaderKeys(header, clock_, random_);
    if (createAccountFile(fs_, path, header) != 0) {
        showError(ui_, writeFailedMessage(path));
        return;
    }
    scope.changedFiles();
    scope.commit();
    TreeNode node;
    node.text = fieldText(header.title, sizeof header.title);
    node.path = path;
    node.account = std::make_unique<AccountNode>();
    node.account->path = path;
    node.account->unlocked = true;
    selectNode(tree_.appendAccount(group, std::move(node)));
}

void Controller::editAccount() {
    TreeNode* node = selectedAccountOrComplain();
    if (!node || !node->account->header)
        return;
    AccountNode& account = *node->account;
    AccountHeader header = *account.header;
    AccountForm form(ui_, AccountForm::Mode::Edit, header, clock_.today());
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    if (writeHeader(fs_, account.path, header, account.password, account.sealed) != 0) {
        showError(ui_, writeFailedMessage(account.path));
        return;
    }
    scope.changedFiles();
    scope.commit();
    account.header = header;
    node->text = fieldText(header.title, sizeof header.title);
    changed();
}

void Controller::deleteAccount() {
    TreeNode* node = selectedAccountOrComplain();
    if (!node || !node->account->header)
        return;
    AccountHeader header = *node->account->header;
    AccountForm form(ui_, AccountForm::Mode::Delete, header, clock_.today());
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    if (sealJournal(fs_) != 0 || fs_.remove(node->account->path) != 0) {
        showError(ui_, writeFailedMessage(node->account->path));
        return;
    }
    scope.changedFiles();
    scope.commit();
    // The rows and the account in focus point into the node about to go.
    clearLists();
    focus_ = LedgerFocus{};
    const int position = *selected_;
    selected_.reset();
    tree_.remove(position);
    if (tree_.empty()) {
        changed();
        return;
    }
    selectNode(position < tree_.size() ? position : position - 1);
}

void Controller::changePassword() {
    TreeNode* node = selectedAccountOrComplain();
    if (!node || !node->account->header)
        return;
    AccountNode& account = *node->account;
    // A sealed account has a passphrase instead, changed by sealing it anew.
    if (account.sealed) {
        showError(ui_, gbk("加密帐户的口令请用“加密帐户”更换!"));
        return;
    }
    Password password = account.password;
    EditPasswordForm form(ui_, password);
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    if (writeHeader(fs_, account.path, *account.header, password) != 0) {
        showError(ui_, gbk("密码修改失败!"));
        return;
    }
    scope.changedFiles();
    scope.commit();
    account.password = password;
    showNotice(ui_, gbk("密码修改成功!"));
}

void Controller::editStockName() {
    StockCodeForm form(ui_, names_);
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    if (names_.storeName(fs_, form.code(), form.name()) < 0) {
        showError(ui_, writeFailedMessage(kNameTableFileName));
        return;
    }
    scope.changedFiles();
    scope.commit();
    // The rows of that code show the new name at once.
    lists_.showStockName(form.code(), names_.nameOf(form.code()));
    changed();
}

}  // namespace tallivan
