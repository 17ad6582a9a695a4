#include "forms/config_form.h"

#include <string>

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/number_fields.h"

namespace tallivan {

namespace {

// The six value edits and the table columns they hold, in tab order.
struct ValueEdit {
    const char* name;
    const char* label;
    const char* suffix;
    std::size_t maxBytes;
    double StockCategory::*member;
};
const ValueEdit kValueEdits[] = {
    {"txtBlSxf", "手续费比例", "%", 0, &StockCategory::commissionRate},
    {"txtZdSxf", "最低手续费", "", 0, &StockCategory::minCommission},
    {"txtBlTax", "印花税比例", "%", 0, &StockCategory::stampTaxRate},
    {"txtBlGhf", "过户费", "/千股", 48, &StockCategory::transferFee},
    {"txtZdGhf", "最低过户费", "", 48, &StockCategory::minTransferFee},
    {"txtWtf", "委托费", "", 48, &StockCategory::orderFee},
};

}  // namespace

ConfigForm::ConfigForm(Ui& ui, Settings& settings, std::function<void()> save)
    : Form(ui, gbk("设置参数")), settings_(settings), save_(std::move(save)) {
    Field list;
    list.name = "lsvCfg";
    list.kind = FieldKind::List;
    list.label = gbk("分类名称");
    list.items = categoryNames(settings);
    add(std::move(list));
    addEdit("txtTitle", gbk("分类名称"), 12);
    addEdit("txtCodeLen", gbk("代码长度"));
    addEdit("txtCode", gbk("代码特征值"), 4);
    for (const ValueEdit& e : kValueEdits) {
        addEdit(e.name, gbk(e.label), e.maxBytes).suffix = gbk(e.suffix);
    }
    addButton("cmdOk", gbk("设置(&S)"));
    addButton("cmdCancel", gbk("退出(&X)"));
    select("lsvCfg", 0);
}

void ConfigForm::select(std::string_view name, int index) {
    Form::select(name, index);
    if (name == "lsvCfg" && field(name).selected >= 0)
        showRow(field(name).selected);
}

void ConfigForm::showRow(int index) {
    const StockCategory& c = settings_.categories[static_cast<std::size_t>(index)];
    codeLength_ = c.codeLength;
    field("txtTitle").text = fieldText(c.name, sizeof c.name);
    field("txtCode").text = fieldText(c.codePrefix, sizeof c.codePrefix);
    field("txtCodeLen").text = std::to_string(codeLength_);
    for (std::size_t i = 0; i < std::size(kValueEdits); ++i) {
        values_[i] = c.*kValueEdits[i].member;
        field(kValueEdits[i].name).text = generalForm(values_[i]);
    }
    touch();
}

void ConfigForm::onLeave(std::string_view name) {
    if (name == "txtCodeLen") {
        std::int32_t length = codeLength_;
        if (readIntField(*this, field(name), length) == 0) {
            codeLength_ = static_cast<std::int8_t>(static_cast<std::uint8_t>(length & 0xFF));
        }
        return;
    }
    for (std::size_t i = 0; i < std::size(kValueEdits); ++i) {
        if (name == kValueEdits[i].name)
            readMoneyField(*this, field(name), values_[i]);
    }
}

void ConfigForm::press(std::string_view name) {
    if (name == "cmdOk") {
        apply();
    } else if (name == "cmdCancel") {
        cancel();
    }
}

void ConfigForm::apply() {
    Field& list = field("lsvCfg");
    if (list.selected < 0)
        return;
    const std::string& title = field("txtTitle").text;
    list.items[static_cast<std::size_t>(list.selected)] = title;
    StockCategory& c = settings_.categories[static_cast<std::size_t>(list.selected)];
    copyToField(c.name, sizeof c.name, title);
    c.codeLength = codeLength_;
    copyToField(c.codePrefix, sizeof c.codePrefix, field("txtCode").text);
    for (std::size_t i = 0; i < std::size(kValueEdits); ++i)
        c.*kValueEdits[i].member = values_[i];
    if (save_)
        save_();
    requestFocus("lsvCfg");
    touch();
}

}  // namespace tallivan
