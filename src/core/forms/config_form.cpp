#include "forms/config_form.h"

#include <string>

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/number_fields.h"
#include "ledger/fee_schedule.h"

namespace tallivan {

namespace {

// What a value edit holds: an amount in yuan, a rate in percent, or the transfer fee, which is
// yuan per 1000 shares or, under today's rules, a rate.
enum class ValueKind { Amount, Rate, TransferFee };

// The six value edits and the table columns they hold, in tab order.
struct ValueEdit {
    const char* name;
    const char* label;
    const char* suffix;
    std::size_t maxBytes;
    double StockCategory::*member;
    ValueKind kind;
};
const ValueEdit kValueEdits[] = {
    {field_id::kCommissionRate, "手续费比例", "%", 0, &StockCategory::commissionRate,
     ValueKind::Rate},
    {field_id::kMinCommission, "最低手续费", "", 0, &StockCategory::minCommission,
     ValueKind::Amount},
    {field_id::kStampTaxRate, "印花税比例", "%", 0, &StockCategory::stampTaxRate, ValueKind::Rate},
    {field_id::kTransferFee, "过户费", "/千股", 48, &StockCategory::transferFee,
     ValueKind::TransferFee},
    {field_id::kMinTransferFee, "最低过户费", "", 48, &StockCategory::minTransferFee,
     ValueKind::Amount},
    {field_id::kOrderFee, "委托费", "", 48, &StockCategory::orderFee, ValueKind::Amount},
};

// The check boxes of a row's fee and price rules.
struct RuleBox {
    const char* name;
    const char* label;
    std::uint8_t rule;
};
const RuleBox kRuleBoxes[] = {
    {field_id::kStampOnSalesOnly, "印花税只在卖出时收", kStampOnSalesOnly},
    {field_id::kTransferOfAmount, "过户费按成交金额的百分比", kTransferOfAmount},
    {field_id::kPriceInMilli, "价格精确到0.001元", kPriceInMilli},
};

}  // namespace

ConfigForm::ConfigForm(Ui& ui, Settings& settings, std::function<void()> save)
    : Form(ui, gbk("设置参数")), settings_(settings), save_(std::move(save)) {
    Field list;
    list.name = field_id::kCategoryList;
    list.kind = FieldKind::List;
    list.label = gbk("分类名称");
    list.items = categoryNames(settings);
    add(std::move(list));
    addEdit(field_id::kTitle, gbk("分类名称"), 12);
    addEdit(field_id::kCodeLength, gbk("代码长度"));
    addEdit(field_id::kCode, gbk("代码特征值"), 4);
    // The rules come before the values: they decide how the rates are read.
    for (const RuleBox& r : kRuleBoxes) {
        Field box;
        box.name = r.name;
        box.kind = FieldKind::Check;
        box.label = gbk(r.label);
        add(std::move(box));
    }
    for (const ValueEdit& e : kValueEdits) {
        addEdit(e.name, gbk(e.label), e.maxBytes).suffix = gbk(e.suffix);
    }
    addButton(field_id::kOk, gbk("设置(&S)"));
    addButton(field_id::kCancel, gbk("退出(&X)"));
    addButton(field_id::kCurrentRates, gbk("现行费率(&N)..."));
    select(field_id::kCategoryList, 0);
}

void ConfigForm::select(std::string_view name, int index) {
    Form::select(name, index);
    if (name == field_id::kCategoryList && field(name).selected >= 0)
        showRow(field(name).selected);
}

void ConfigForm::showRow(int index) {
    const StockCategory& c = settings_.categories[static_cast<std::size_t>(index)];
    codeLength_ = c.codeLength;
    feeRules_ = c.feeRules;
    field(field_id::kTitle).text = fieldText(c.name, sizeof c.name);
    field(field_id::kCode).text = fieldText(c.codePrefix, sizeof c.codePrefix);
    field(field_id::kCodeLength).text = std::to_string(codeLength_);
    for (std::size_t i = 0; i < std::size(kValueEdits); ++i) {
        values_[i] = c.*kValueEdits[i].member;
        field(kValueEdits[i].name).text = generalForm(values_[i]);
    }
    showFeeRules();
}

void ConfigForm::showFeeRules() {
    for (const RuleBox& r : kRuleBoxes)
        field(r.name).checked = (feeRules_ & r.rule) != 0;
    // The transfer fee's unit follows the row's rules.
    field(field_id::kTransferFee).suffix = gbk(feeRules_ & kTransferOfAmount ? "%" : "/千股");
    touch();
}

bool ConfigForm::keepsFourDecimals(std::size_t index) const {
    switch (kValueEdits[index].kind) {
        case ValueKind::Amount:
            return false;
        case ValueKind::Rate:
            return (feeRules_ & (kStampOnSalesOnly | kTransferOfAmount)) != 0;
        case ValueKind::TransferFee:
            return (feeRules_ & kTransferOfAmount) != 0;
    }
    return false;
}

void ConfigForm::onLeave(std::string_view name) {
    if (name == field_id::kCodeLength) {
        // The stored length is a signed byte, shown with its sign.
        std::int32_t length = codeLength_;  // NOLINT(bugprone-signed-char-misuse)
        if (readIntField(*this, field(name), length) == 0) {
            codeLength_ = static_cast<std::int8_t>(static_cast<std::uint8_t>(length & 0xFF));
        }
        return;
    }
    for (std::size_t i = 0; i < std::size(kValueEdits); ++i) {
        if (name != kValueEdits[i].name)
            continue;
        if (keepsFourDecimals(i))
            readRateField(*this, field(name), values_[i]);
        else
            readMoneyField(*this, field(name), values_[i]);
    }
}

void ConfigForm::toggle(std::string_view name, bool checked) {
    Form::toggle(name, checked);
    for (const RuleBox& r : kRuleBoxes) {
        if (name == r.name)
            feeRules_ = checked ? feeRules_ | r.rule : feeRules_ & ~r.rule;
    }
    showFeeRules();
}

void ConfigForm::press(std::string_view name) {
    if (name == field_id::kOk) {
        apply();
    } else if (name == field_id::kCancel) {
        cancel();
    } else if (name == field_id::kCurrentRates) {
        applyCurrentSchedule();
    }
}

void ConfigForm::apply() {
    Field& list = field(field_id::kCategoryList);
    if (list.selected < 0)
        return;
    const std::string& title = field(field_id::kTitle).text;
    list.items[static_cast<std::size_t>(list.selected)] = title;
    StockCategory& c = settings_.categories[static_cast<std::size_t>(list.selected)];
    copyToField(c.name, sizeof c.name, title);
    c.codeLength = codeLength_;
    copyToField(c.codePrefix, sizeof c.codePrefix, field(field_id::kCode).text);
    for (std::size_t i = 0; i < std::size(kValueEdits); ++i)
        c.*kValueEdits[i].member = values_[i];
    c.feeRules = feeRules_;
    if (save_)
        save_();
    requestFocus(field_id::kCategoryList);
    touch();
}

void ConfigForm::applyCurrentSchedule() {
    if (!askWarning(ui(), gbk("用现行费率替换全部20个分类的代码和费率吗?")))
        return;
    applyCurrentFeeSchedule(settings_);
    Field& list = field(field_id::kCategoryList);
    list.items = categoryNames(settings_);
    select(field_id::kCategoryList, list.selected >= 0 ? list.selected : 0);
    if (save_)
        save_();
    requestFocus(field_id::kCategoryList);
    touch();
}

}  // namespace tallivan
