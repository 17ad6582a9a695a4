#include "forms/options_form.h"

#include "base/gbk.h"

namespace tallivan {

OptionsForm::OptionsForm(Ui& ui, Settings& settings) : Form(ui, gbk("选项")), settings_(settings) {
    addEdit(field_id::kDirectory, gbk("帐户搜索目录 (“．”指当前目录)"), kAccountSearchDirSize - 1)
        .text = fieldText(settings.accountSearchDir, sizeof settings.accountSearchDir);
    Field check;
    check.name = field_id::kWantPassword;
    check.kind = FieldKind::Check;
    check.label = gbk("打开帐户文件需要“密码输入”");
    check.checked = settings.wantPassword != 0;
    add(std::move(check));
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));
}

void OptionsForm::press(std::string_view name) {
    if (name == field_id::kOk) {
        copyToField(settings_.accountSearchDir, sizeof settings_.accountSearchDir,
                    field(field_id::kDirectory).text);
        settings_.wantPassword = field(field_id::kWantPassword).checked ? 1 : 0;
        close(Result::Ok);
    } else if (name == field_id::kCancel) {
        cancel();
    }
}

}  // namespace tallivan
