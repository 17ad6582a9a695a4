// Sealing an account under a passphrase, a new passphrase, unsealing, and asking a sealed
// account's passphrase when it opens.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/seal_form.h"
#include "storage/account_file.h"

namespace tallivan {

std::string damagedAccountMessage() {
    return gbk("帐户文件已损坏或被篡改");
}

bool Controller::unlockSealed(AccountNode& node,
                              const std::array<std::uint8_t, kSealPreambleSize>& preamble) {
    node.sealed.reset();
    node.unlocked = false;
    std::string passphrase;
    if (promptPassphrase(ui_, passphrase) != 1)
        return false;
    const DerivedKey derived = deriveSealedKey(preamble.data(), passphrase);
    wipeText(passphrase);
    switch (derived.status) {
        case SealStatus::Ok:
            break;
        case SealStatus::WrongPassphrase:
            showError(ui_, gbk("口令错误!"));
            return false;
        case SealStatus::Damaged:
            showError(ui_, damagedAccountMessage());
            return false;
        case SealStatus::NoMemory:
            showError(ui_, gbk("内存不足, 无法打开加密帐户!"));
            return false;
    }
    node.sealed = derived.key;
    node.password = Password{};
    // The passphrase stands for the password: the account is not asked for one.
    node.unlocked = true;
    return true;
}

void Controller::sealAccount() {
    TreeNode* node = selectedAccountOrComplain();
    if (!node || !node->account->header)
        return;
    AccountNode& account = *node->account;
    SealForm form(ui_);
    if (!ui_.runDialog(form))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    // The ledger as the file holds it under the lock, every slot where it is, so the rows
    // shown keep their slots.
    const AccountContents contents =
        readAccount(fs_, account.path, account.password, false, account.sealed);
    if (contents.status != AccountStatus::Ok || !contents.complete) {
        showError(ui_, contents.status == AccountStatus::Damaged ? damagedAccountMessage()
                                                                 : readFailedMessage(account.path));
        return;
    }
    const DerivedKey derived = newSealedKey(form.passphrase());
    if (derived.status != SealStatus::Ok) {
        showError(ui_, gbk("内存不足, 无法加密帐户!"));
        return;
    }
    if (rewriteAccountFile(fs_, account.path, contents.header, Password{}, SlotCodec(derived.key),
                           contents.slots) != 0) {
        showError(ui_, writeFailedMessage(account.path));
        return;
    }
    scope.changedFiles();
    scope.commit();
    const bool wasSealed = account.sealed != nullptr;
    account.sealed = derived.key;
    account.password = Password{};
    showNotice(ui_, wasSealed ? gbk("口令已更换。") : gbk("帐户已加密。忘记口令将无法找回帐户!"));
}

void Controller::unsealAccount() {
    TreeNode* node = selectedAccountOrComplain();
    if (!node || !node->account->header)
        return;
    AccountNode& account = *node->account;
    if (!account.sealed) {
        showError(ui_, gbk("帐户没有加密!"));
        return;
    }
    if (!askWarning(ui_, gbk("取消加密后, 帐户文件以普通格式保存, 拿到文件的人都能读出它的内容。"
                             "确实要取消加密吗?")))
        return;
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    const AccountContents contents =
        readAccount(fs_, account.path, Password{}, false, account.sealed);
    if (contents.status != AccountStatus::Ok || !contents.complete) {
        showError(ui_, contents.status == AccountStatus::Damaged ? damagedAccountMessage()
                                                                 : readFailedMessage(account.path));
        return;
    }
    // Without a password; one can be set as for any account.
    if (rewriteAccountFile(fs_, account.path, contents.header, Password{},
                           SlotCodec(contents.header.slotKey), contents.slots) != 0) {
        showError(ui_, writeFailedMessage(account.path));
        return;
    }
    scope.changedFiles();
    scope.commit();
    account.sealed.reset();
    account.password = Password{};
    showNotice(ui_, gbk("帐户已取消加密。"));
}

}  // namespace tallivan
