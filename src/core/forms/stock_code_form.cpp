#include "forms/stock_code_form.h"

#include "base/gbk.h"

namespace tallivan {

StockCodeForm::StockCodeForm(Ui& ui, const NameTable& names)
    : Form(ui, gbk("添加/更改证券名称")), names_(names) {
    addEdit(field_id::kCode, gbk("代码"), 6);
    addEdit(field_id::kTitle, gbk("名称"), sizeof(NameEntry::name));
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));
}

void StockCodeForm::onLeave(std::string_view name) {
    if (name != field_id::kCode || code().empty())
        return;
    if (!codeKey(code())) {
        requestFocus(field_id::kCode);
        return;
    }
    std::string shown;
    names_.nameOfCode(code(), shown);
    field(field_id::kTitle).text = fitToField(field(field_id::kTitle), shown);
}

void StockCodeForm::press(std::string_view name) {
    if (name == field_id::kCancel) {
        cancel();
        return;
    }
    if (name != field_id::kOk)
        return;
    if (code().empty()) {
        requestFocus(field_id::kCode);
        return;
    }
    // A code that is not a decimal number could never be looked up again: say so rather than
    // store nothing in silence.
    if (!codeKey(code())) {
        showError(ui(), invalidValueMessage(code()));
        requestFocus(field_id::kCode);
        return;
    }
    close(Result::Ok);
}

}  // namespace tallivan
