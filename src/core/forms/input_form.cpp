#include "forms/input_form.h"

#include "base/gbk.h"

namespace tallivan {

InputForm::InputForm(Ui& ui, std::string caption, std::string label, std::string initialText,
                     int mode, std::size_t maxLength)
    : Form(ui, std::move(caption)), mode_(mode) {
    Field& edit = addEdit(field_id::kText, std::move(label), maxLength);
    edit.masked = mode != 0;
    edit.text = fitToField(edit, initialText);
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));
}

void InputForm::press(std::string_view name) {
    if (name == field_id::kCancel) {
        cancel();
    } else if (name == field_id::kOk) {
        if (mode_ > 0 && field(field_id::kText).text.size() < static_cast<std::size_t>(mode_)) {
            requestFocus(field_id::kText);  // too short: stays open, without a message
            return;
        }
        close(Result::Ok);
    }
}

int promptText(Ui& ui, const std::string& caption, const std::string& label, std::string& buffer,
               int mode, std::size_t maxLength) {
    InputForm form(ui, caption, label, buffer, mode, maxLength);
    if (!ui.runDialog(form) || form.result() != Form::Result::Ok)
        return 2;
    buffer = form.text();
    return 1;
}

int promptPassword(Ui& ui, std::string& password) {
    password.clear();
    return promptText(ui, gbk("请输入帐户密码"), gbk("帐户密码:"), password, -1, 8);
}

}  // namespace tallivan
