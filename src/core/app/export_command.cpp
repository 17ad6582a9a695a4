// 导出数据 → 文本文件: the four lists of the account or group shown as text files in the
// group's directory.
#include "app/controller.h"

#include "base/gbk.h"
#include "report/text_export.h"

namespace tallivan {

void Controller::exportText() {
    if (!selected_)
        return;
    if (ui_.message(gbk("是否输出数据到文本文件?"), gbk("提示"), MessageIcon::Question,
                    MessageButtons::YesNo) != Answer::Yes)
        return;
    DataLockHold hold(lock_);
    if (!lockOrComplain(hold))
        return;
    const std::string& name = tree_.node(*selected_).text;
    const std::string& directory = tree_.node(tree_.groupOf(*selected_)).path;
    // Each export replaces its old file as a whole, so a shorter export leaves no old tail and
    // a failed one leaves the old file as it was. Every file is tried; success is reported
    // only when all four were written.
    bool allWritten = true;
    for (const LedgerList list : kExportedLists) {
        const std::string path = joinPath(directory, exportFileName(list, name));
        if (replaceFileDurably(fs_, path, tallivan::exportText(list, lists_.rows(list))) != 0)
            allWritten = false;
    }
    if (!allWritten) {
        showError(ui_, gbk("创建文件出错!"));
        return;
    }
    showNotice(ui_, gbk("文件已输出到 “") + directory + "/" + gbk("” 目录下!"));
}

}  // namespace tallivan
