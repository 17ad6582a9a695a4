#include "forms/fund_form.h"

#include <string>

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/date_fields.h"
#include "forms/milli_fields.h"
#include "forms/number_fields.h"

namespace tallivan {

namespace {}  // namespace

FundForm::FundForm(Ui& ui, FundRecord& fund, const Date& today)
    : Form(ui, gbk("存取资金")),
      fund_(fund),
      date_{static_cast<std::uint16_t>(today.year), static_cast<std::uint8_t>(today.month),
            static_cast<std::uint8_t>(today.day)} {
    addEdit(field_id::kYear, gbk("日期"), 4).text = std::to_string(date_.year);
    addEdit(field_id::kMonth, "-", 2).text = std::to_string(date_.month);
    addEdit(field_id::kDay, "-", 2).text = std::to_string(date_.day);
    addEdit(field_id::kTitle, gbk("名称"), sizeof fund.title - 1);
    Field operation;
    operation.name = field_id::kOperation;
    operation.kind = FieldKind::Combo;
    operation.label = gbk("操作");
    operation.items = {gbk("存入"), gbk("支取"), gbk("增损")};
    operation.selected = kDeposit;
    add(std::move(operation));
    addEdit(field_id::kAmount, gbk("金额")).text = "0.00";
    addEdit(field_id::kMemo, gbk("备注"), sizeof fund.memo - 1);
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));
}

void FundForm::onLeave(std::string_view name) {
    if (name == field_id::kAmount) {
        // The amount must fit the record's 32-bit milli-yuan field, negated as well.
        readMilliField(*this, field(name), amount_, MilliWidth::Bits32);
        return;
    }
    if (isDateField(name))
        readDateField(*this, name, date_);
}

void FundForm::select(std::string_view name, int index) {
    if (name == field_id::kOperation && (index < 0 || index >= kOperationCount))
        return;
    Form::select(name, index);
}

void FundForm::press(std::string_view name) {
    // After a refused field the dialog stays on it, its message shown once.
    if (name == field_id::kOk && (takeRefusedEntry() || !acceptable()))
        return;
    pressOkOrCancel(name, [this] { store(); });
}

bool FundForm::acceptable() {
    if (!acceptCalendarDate(*this, date_.year, date_.month, date_.day))
        return false;
    // Money moves in or out by an amount; only an adjustment may go either way.
    if (field(field_id::kOperation).selected != kAdjustment && amount_ <= 0) {
        showError(ui(), invalidValueMessage(field(field_id::kAmount).text));
        requestFocus(field_id::kAmount);
        return false;
    }
    return true;
}

void FundForm::store() {
    const int type = field(field_id::kOperation).selected;
    // Withdrawals and adjustments are stored negated: an adjustment is typed as the loss it
    // records.
    const double amount = type == kDeposit ? amount_ : -amount_;
    fund_.kindState = kindStateOf(SlotKind::Fund, type);
    fund_.year = date_.year;
    fund_.month = date_.month;
    fund_.day = date_.day;
    fund_.amount = static_cast<std::int32_t>(toMilli(amount));
    copyToField(fund_.title, sizeof fund_.title, field(field_id::kTitle).text);
    copyToField(fund_.memo, sizeof fund_.memo, field(field_id::kMemo).text);
}

}  // namespace tallivan
