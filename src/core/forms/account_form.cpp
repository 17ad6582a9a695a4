#include "forms/account_form.h"

#include <string>
#include <utility>

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/number_fields.h"

namespace tallivan {

namespace {

const char* captionOf(AccountForm::Mode mode) {
    switch (mode) {
        case AccountForm::Mode::Add:
            return "添加帐户";
        case AccountForm::Mode::Edit:
            return "修改帐户";
        case AccountForm::Mode::Delete:
            return "删除帐户";
    }
    return "";
}

constexpr const char* kMoneyFields[] = {field_id::kStopLossRatio, field_id::kHighestStopLossPrice,
                                        field_id::kTakeProfitRatio,
                                        field_id::kLowestTakeProfitPrice};

}  // namespace

AccountForm::AccountForm(Ui& ui, Mode mode, AccountHeader& header, const Date& today)
    : Form(ui, gbk(captionOf(mode))), mode_(mode), header_(header) {
    if (mode == Mode::Add) {
        copyToField(header.title, sizeof header.title, gbk("新帐户"));
        header.year = static_cast<std::uint16_t>(today.year);
        header.month = static_cast<std::uint8_t>(today.month);
        header.day = static_cast<std::uint8_t>(today.day);
        header.stopLossRatio = -5.0;
        header.stopLossLimit = -300.0;
        header.takeProfitRatio = 5.0;
        header.takeProfitLimit = 300.0;
        copyToField(header.memo, sizeof header.memo, "");
    }
    stopLossRatio_ = header.stopLossRatio;
    stopLossLimit_ = header.stopLossLimit;
    takeProfitRatio_ = header.takeProfitRatio;
    takeProfitLimit_ = header.takeProfitLimit;
    date_ = DateParts{header.year, header.month, header.day};

    addEdit(field_id::kTitle, gbk("帐号名称"), sizeof header.title - 1).text =
        fieldText(header.title, sizeof header.title);
    addEdit(field_id::kStopLossRatio, gbk("止损比例")).suffix = "%";
    addEdit(field_id::kHighestStopLossPrice, gbk("最高止损价"));
    addEdit(field_id::kTakeProfitRatio, gbk("获利比例"), 48).suffix = "%";
    addEdit(field_id::kLowestTakeProfitPrice, gbk("最低获利价"), 48);
    field(field_id::kStopLossRatio).text = generalForm(stopLossRatio_);
    field(field_id::kHighestStopLossPrice).text = generalForm(stopLossLimit_);
    field(field_id::kTakeProfitRatio).text = generalForm(takeProfitRatio_);
    field(field_id::kLowestTakeProfitPrice).text = generalForm(takeProfitLimit_);
    addEdit(field_id::kYear, gbk("日期"), 4).text = std::to_string(date_.year);
    addEdit(field_id::kMonth, "-", 2).text = std::to_string(date_.month);
    addEdit(field_id::kDay, "-", 2).text = std::to_string(date_.day);
    Field memo;
    memo.name = field_id::kMemo;
    memo.kind = FieldKind::Memo;
    memo.label = gbk("备注");
    memo.maxBytes = sizeof header.memo - 1;
    memo.text = fieldText(header.memo, sizeof header.memo);
    add(std::move(memo));
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));

    if (mode == Mode::Delete) {
        for (const auto& f : fields()) {
            if (f.kind == FieldKind::Edit || f.kind == FieldKind::Memo) {
                Field& edit = field(f.name);
                edit.readOnly = true;
                edit.locked = true;
                edit.enabled = false;
            }
        }
    }
}

void AccountForm::onLeave(std::string_view name) {
    if (mode_ == Mode::Delete)
        return;
    double* const money[] = {&stopLossRatio_, &stopLossLimit_, &takeProfitRatio_,
                             &takeProfitLimit_};
    for (std::size_t i = 0; i < std::size(kMoneyFields); ++i) {
        if (name == kMoneyFields[i]) {
            readMoneyField(*this, field(name), *money[i]);
            return;
        }
    }
    if (isDateField(name))
        readDateField(*this, name, date_);
}

void AccountForm::press(std::string_view name) {
    pressOkOrCancel(name, [this] {
        if (mode_ != Mode::Delete)
            store();
    });
}

void AccountForm::store() {
    copyToField(header_.title, sizeof header_.title, field(field_id::kTitle).text);
    header_.stopLossRatio = stopLossRatio_;
    header_.stopLossLimit = stopLossLimit_;
    header_.takeProfitRatio = takeProfitRatio_;
    header_.takeProfitLimit = takeProfitLimit_;
    header_.year = date_.year;
    header_.month = date_.month;
    header_.day = date_.day;
    copyToField(header_.memo, sizeof header_.memo, field(field_id::kMemo).text);
}

}  // namespace tallivan
