// 导出数据: the four lists of the account or group shown as text files, or as CSV files with
// the yearly results beside them, in the group's directory or the one chosen with 导出到.
#include "app/controller.h"

#include "base/gbk.h"
#include "report/csv_export.h"
#include "report/text_export.h"

namespace tallivan {

void Controller::exportFiles(
    const char* question, const std::function<std::vector<ExportFile>(const std::string&)>& files) {
    if (!selected_)
        return;
    const std::string& directory =
        exportDirectory_.empty() ? tree_.node(tree_.groupOf(*selected_)).path : exportDirectory_;
    if (!exportDirectory_.empty() && !fs_.isDirectory(directory)) {
        showError(ui_, gbk("目录 “") + directory + gbk("” 不存在!"));
        return;
    }
    if (ui_.message(gbk(question), gbk("提示"), MessageIcon::Question, MessageButtons::YesNo) !=
        Answer::Yes)
        return;
    DataLockHold hold(lock_);
    if (!lockOrComplain(hold))
        return;
    // Each export replaces its old file as a whole, so a shorter export leaves no old tail and
    // a failed one leaves the old file as it was. Every file is tried; success is reported
    // only when all were written.
    bool allWritten = true;
    for (const ExportFile& file : files(tree_.node(*selected_).text)) {
        if (replaceFileDurably(fs_, joinPath(directory, file.name), file.content) != 0)
            allWritten = false;
    }
    if (!allWritten) {
        showError(ui_, gbk("创建文件出错!"));
        return;
    }
    showNotice(ui_, gbk("文件已输出到 “") + directory + "/" + gbk("” 目录下!"));
}

void Controller::exportText() {
    exportFiles("是否输出数据到文本文件?", [this](const std::string& name) {
        std::vector<ExportFile> files;
        for (const LedgerList list : kExportedLists)
            files.push_back(
                {exportFileName(list, name), tallivan::exportText(list, lists_.rows(list))});
        return files;
    });
}

void Controller::exportCsv() {
    exportFiles("是否输出数据到CSV文件?", [this](const std::string& name) {
        std::vector<ExportFile> files;
        for (const LedgerList list : kExportedLists)
            files.push_back({csvFileName(list, name), listCsv(list, lists_.rows(list))});
        files.push_back({yearlyCsvFileName(name), yearlyCsv(yearlyResults(nodeHistory(lists_)))});
        return files;
    });
}

}  // namespace tallivan
