#include "forms/stock_code_form.h"

#include "base/gbk.h"

namespace tallivan {

StockCodeForm::StockCodeForm(Ui& ui, const NameTable& names)
    : Form(ui, gbk("添加/更改证券名称")), names_(names) {
    addEdit("txtCode", gbk("代码"), 6);
    addEdit("txtTitle", gbk("名称"), sizeof(NameEntry::name));
    addButton("cmdOk", gbk("确定(&O)"));
    addButton("cmdCancel", gbk("取消(&C)"));
}

void StockCodeForm::onLeave(std::string_view name) {
    if (name != "txtCode" || code().empty())
        return;
    if (!codeKey(code())) {
        requestFocus("txtCode");
        return;
    }
    std::string shown;
    names_.nameOfCode(code(), shown);
    field("txtTitle").text = fitToField(field("txtTitle"), shown);
}

void StockCodeForm::press(std::string_view name) {
    if (name == "cmdCancel") {
        cancel();
        return;
    }
    if (name != "cmdOk")
        return;
    if (code().empty()) {
        requestFocus("txtCode");
        return;
    }
    // A code that is not a decimal number could never be looked up again: say so rather than
    // store nothing in silence.
    if (!codeKey(code())) {
        showError(ui(), invalidValueMessage(code()));
        requestFocus("txtCode");
        return;
    }
    close(Result::Ok);
}

}  // namespace tallivan
