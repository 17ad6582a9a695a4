#include "forms/ui.h"

#include "base/gbk.h"

namespace tallivan {

std::optional<std::string> Ui::chooseFileToOpen(const std::string&, const std::string&) {
    return std::nullopt;
}

void Ui::showProgress(const std::string&, std::size_t, std::size_t) {}

std::string invalidValueMessage(const std::string& text) {
    return "'" + text + gbk("' 为无效值,请重新输入！");
}

void showError(Ui& ui, const std::string& text) {
    ui.message(text, gbk("错误"), MessageIcon::Error, MessageButtons::Ok);
}

void showNotice(Ui& ui, const std::string& text) {
    ui.message(text, gbk("提示"), MessageIcon::Information, MessageButtons::Ok);
}

bool askWarning(Ui& ui, const std::string& text) {
    return ui.message(text, gbk("警告"), MessageIcon::Warning, MessageButtons::YesNo) ==
           Answer::Yes;
}

bool askConfirm(Ui& ui, const std::string& text) {
    return ui.message(text, gbk("确认"), MessageIcon::Question, MessageButtons::YesNo) ==
           Answer::Yes;
}

}  // namespace tallivan
