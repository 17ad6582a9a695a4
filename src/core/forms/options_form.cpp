#include "forms/options_form.h"

#include "base/gbk.h"

namespace tallivan {

OptionsForm::OptionsForm(Ui& ui, Settings& settings) : Form(ui, gbk("选项")), settings_(settings) {
    addEdit("txtDir", gbk("帐户搜索目录 (“．”指当前目录)"), kAccountSearchDirSize - 1).text =
        fieldText(settings.accountSearchDir, sizeof settings.accountSearchDir);
    Field check;
    check.name = "chkWantPwd";
    check.kind = FieldKind::Check;
    check.label = gbk("打开帐户文件需要“密码输入”");
    check.checked = settings.wantPassword != 0;
    add(std::move(check));
    addButton("cmdOk", gbk("确定(&O)"));
    addButton("cmdCancel", gbk("取消(&C)"));
}

void OptionsForm::press(std::string_view name) {
    if (name == "cmdOk") {
        copyToField(settings_.accountSearchDir, sizeof settings_.accountSearchDir,
                    field("txtDir").text);
        settings_.wantPassword = field("chkWantPwd").checked ? 1 : 0;
        close(Result::Ok);
    } else if (name == "cmdCancel") {
        cancel();
    }
}

}  // namespace tallivan
