#include "forms/import_form.h"

#include <array>

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

std::string countsText(const StatementPreview& preview) {
    const auto counts = preview.counts();
    std::string text;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        text += (i ? gbk(", ") : std::string()) + importStatusName(static_cast<ImportStatus>(i)) +
                " " + std::to_string(counts[i]);
    }
    return text;
}

Field label(std::string name, std::string text) {
    Field f;
    f.name = std::move(name);
    f.kind = FieldKind::Label;
    f.text = std::move(text);
    f.tabStop = false;
    return f;
}

}  // namespace

ImportForm::ImportForm(Ui& ui, const StatementPreview& preview, const std::string& file)
    : Form(ui, gbk("导入交割单")), preview_(preview) {
    add(label(field_id::kFileLabel, gbk("文件: ") + file));
    add(label(field_id::kCountsLabel, countsText(preview)));
    // To be checked against the statement's balance (资金余额) before importing.
    add(label(field_id::kCashLabel,
              gbk("新增记录的资金变动: ") + fixed2(fromMilli(preview.newCash))));
    // Nothing to record: 导入 cannot be pressed.
    addButton(field_id::kImport, gbk("导入(&I)")).enabled = !preview.order.empty();
    addButton(field_id::kCancel, gbk("取消(&C)"));
}

void ImportForm::press(std::string_view buttonName) {
    if (buttonName == field_id::kImport && field(field_id::kImport).enabled)
        close(Result::Ok);
    else if (buttonName == field_id::kCancel)
        cancel();
}

const std::string& importStatusName(ImportStatus status) {
    static const std::array<std::string, 5> names = {gbk("新增"), gbk("已有"), gbk("跳过"),
                                                     gbk("未知"), gbk("无效")};
    return names[static_cast<std::size_t>(status)];
}

const std::string& importCommandName(ImportCommand command) {
    static const std::array<std::string, 10> names = {
        std::string(), gbk("买入"), gbk("卖出"), gbk("红利"), gbk("送股"),
        gbk("配股"),   gbk("中签"), gbk("存入"), gbk("支取"), gbk("增损")};
    return names[static_cast<std::size_t>(command)];
}

}  // namespace tallivan
