#include "forms/seal_form.h"

#include "base/gbk.h"
#include "forms/input_form.h"

namespace tallivan {

SealForm::SealForm(Ui& ui) : Form(ui, gbk("加密帐户")) {
    for (const auto& [name, label] : {std::pair{field_id::kPassphrase, "口令"},
                                      std::pair{field_id::kPassphraseAgain, "口令验证"}}) {
        Field& f = addEdit(name, gbk(label), kPassphraseLimit);
        f.masked = true;
    }
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kExit, gbk("取消(&C)"));
}

void SealForm::press(std::string_view name) {
    if (name == field_id::kOk) {
        confirm();
    } else if (name == field_id::kExit) {
        cancel();
    }
}

void SealForm::confirm() {
    if (passphrase().empty()) {
        showError(ui(), gbk("口令不能为空!"));
        requestFocus(field_id::kPassphrase);
        return;
    }
    if (passphrase() != field(field_id::kPassphraseAgain).text) {
        showError(ui(), gbk("两次输入的口令不同!"));
        requestFocus(field_id::kPassphraseAgain);
        return;
    }
    close(Result::Ok);
}

std::string SealForm::promise() {
    return gbk(
        "加密后, 没有口令的人只能看到帐户文件的大小; 文件中任何一个字节被改动, 打开时都会报告"
        "\"帐户文件已损坏或被篡改\"。忘记口令无法找回帐户。把整个文件换回较旧的副本不会被发现。"
        "本程序备份目录中的旧副本会一并加密; "
        "别处(如同步文件夹的历史版本)的副本不在本程序掌握之中。");
}

const std::string& passphrasePromptCaption() {
    static const std::string caption = gbk("请输入加密帐户的口令");
    return caption;
}

int promptPassphrase(Ui& ui, std::string& passphrase) {
    passphrase.clear();
    return promptText(ui, passphrasePromptCaption(), gbk("口令:"), passphrase, -1,
                      kPassphraseLimit);
}

}  // namespace tallivan
