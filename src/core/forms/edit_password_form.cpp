#include "forms/edit_password_form.h"

#include <cstring>

#include "base/gbk.h"

namespace tallivan {

PasswordBytes passwordBytes(const std::string& text) {
    PasswordBytes bytes{};
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size()));
    return bytes;
}

EditPasswordForm::EditPasswordForm(Ui& ui, PasswordBytes& password)
    : Form(ui, gbk("修改密码")), password_(password) {
    for (const auto& [name, label] :
         {std::pair{"txtOldPwd", "原密码"}, std::pair{"txtNewPwd", "新密码"},
          std::pair{"txtNewPwdAgain", "新密码验证"}}) {
        Field& f = addEdit(name, gbk(label), 8);
        f.masked = true;
        f.lowerCase = true;
    }
    addButton("cmdOk", gbk("确定(&O)"));
    addButton("cmdExit", gbk("取消(&C)"));
}

void EditPasswordForm::press(std::string_view name) {
    if (name == "cmdOk") {
        confirm();
    } else if (name == "cmdExit") {
        cancel();
    }
}

void EditPasswordForm::confirm() {
    const std::string& oldText = field("txtOldPwd").text;
    const std::string& newText = field("txtNewPwd").text;
    if (!newText.empty() && newText.size() < 6) {
        showError(ui(), gbk("密码应为空或长度6-8位!"));
        requestFocus("txtNewPwd");
        return;
    }
    if (newText != field("txtNewPwdAgain").text || newText.empty()) {
        showError(ui(), gbk("新密码输入错!"));
        requestFocus("txtNewPwd");  // the view selects the whole text of a focused edit
        return;
    }
    if (passwordBytes(oldText) != password_) {
        showError(ui(), gbk("原密码输入错!"));
        requestFocus("txtOldPwd");
        return;
    }
    password_ = passwordBytes(newText);
    close(Result::Ok);
}

}  // namespace tallivan
