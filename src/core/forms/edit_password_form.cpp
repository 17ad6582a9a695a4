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
         {std::pair{field_id::kOldPassword, "原密码"}, std::pair{field_id::kNewPassword, "新密码"},
          std::pair{field_id::kNewPasswordAgain, "新密码验证"}}) {
        Field& f = addEdit(name, gbk(label), 8);
        f.masked = true;
        f.lowerCase = true;
    }
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kExit, gbk("取消(&C)"));
}

void EditPasswordForm::press(std::string_view name) {
    if (name == field_id::kOk) {
        confirm();
    } else if (name == field_id::kExit) {
        cancel();
    }
}

void EditPasswordForm::confirm() {
    const std::string& oldText = field(field_id::kOldPassword).text;
    const std::string& newText = field(field_id::kNewPassword).text;
    if (!newText.empty() && newText.size() < 6) {
        showError(ui(), gbk("密码应为空或长度6-8位!"));
        requestFocus(field_id::kNewPassword);
        return;
    }
    if (newText != field(field_id::kNewPasswordAgain).text || newText.empty()) {
        showError(ui(), gbk("新密码输入错!"));
        requestFocus(field_id::kNewPassword);  // the view selects the whole text of a focused edit
        return;
    }
    if (passwordBytes(oldText) != password_) {
        showError(ui(), gbk("原密码输入错!"));
        requestFocus(field_id::kOldPassword);
        return;
    }
    password_ = passwordBytes(newText);
    close(Result::Ok);
}

}  // namespace tallivan
