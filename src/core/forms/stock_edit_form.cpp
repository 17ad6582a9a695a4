#include "forms/stock_edit_form.h"

#include <string>

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/number_fields.h"
#include "ledger/fees.h"

namespace tallivan {

namespace {

// The value a field shows after it was given `v` in two decimals.
double shownValue(double v) {
    return parseMoney(fixed2(v)).value_or(0.0);
}

Field& hideUnless(Field& f, bool shown) {
    f.visible = shown;
    return f;
}

}  // namespace

StockEditForm::StockEditForm(Ui& ui, StockRecord& stock, NoteRecord& note, bool hasNoteSlot,
                             const Settings& settings, const NameTable& names)
    : Form(ui, gbk("修改股票")),
      stock_(stock),
      note_(note),
      hasNoteSlot_(hasNoteSlot),
      categories_(settings.categories),
      held_(stock.held()),
      shares_(stock.shares) {
    addFields(hasNoteSlot);

    const std::string code = fieldText(stock.code, sizeof stock.code);
    field(field_id::kCode).text = code + " " + names.nameOf(code);
    field(field_id::kShares).text = std::to_string(shares_);
    category_ = categoryOfCode(settings, code);
    tick_ = priceTickOfCategory(categories_, category_);
    field(field_id::kMemo).text = fieldText(note.memo, sizeof note.memo);

    cost_ = fromMilli(stock.cost);
    field(field_id::kCost).text = fixed2(cost_);
    leaveCost();
    if (!held_)
        return;

    current_ = fromMilli(stock.price);
    stopLoss_.price = fromMilli(stock.stopLossPrice);
    takeProfit_.price = fromMilli(stock.takeProfitPrice);
    field(field_id::kCurrentPrice).text = tickText(current_, tick_);
    field(stopLoss_.priceField).text = tickText(stopLoss_.price, tick_);
    field(takeProfit_.priceField).text = tickText(takeProfit_.price, tick_);
    leaveCurrent();
    leavePrice(stopLoss_);
    leavePrice(takeProfit_);
}

void StockEditForm::addFields(bool hasNoteSlot) {
    // Shown only: read-only and skipped by the tab key.
    const auto display = [](Field& f) -> Field& {
        f.readOnly = true;
        f.tabStop = false;
        return f;
    };
    Field group;
    group.name = field_id::kTradeGroup;
    group.kind = FieldKind::Label;
    group.text = gbk("总买价/备注");
    group.tabStop = false;
    add(group);
    display(addEdit(field_id::kCode, gbk("证券")));
    display(addEdit(field_id::kShares, gbk("股数")));
    display(addEdit(field_id::kPrice, gbk("买价")));
    display(addEdit(field_id::kCost, gbk("总买价")));
    Field& memo = addEdit(field_id::kMemo, gbk("备注"), sizeof note_.memo - 1);
    if (!hasNoteSlot) {
        memo.enabled = false;
        memo.locked = true;
    }

    // Only a held position has prices to set.
    group.name = field_id::kPriceGroup;
    group.text = gbk("止损价/获利价");
    hideUnless(add(group), held_);
    hideUnless(addEdit(field_id::kCurrentPrice, gbk("现价")), held_);
    hideUnless(display(addEdit(field_id::kCurrentValue, gbk("总现价"))), held_);
    hideUnless(addEdit(field_id::kStopLossPrice, gbk("止损价")), held_);
    hideUnless(addEdit(field_id::kLoss, gbk("亏损")), held_);
    hideUnless(addButton(field_id::kCalculateLoss, gbk("计算")), held_);
    hideUnless(addEdit(field_id::kLossRatio, gbk("亏损率")), held_).suffix = "%";
    hideUnless(addButton(field_id::kCalculateLossRatio, gbk("计算")), held_);
    hideUnless(addEdit(field_id::kTakeProfitPrice, gbk("获利价")), held_);
    hideUnless(addEdit(field_id::kProfit, gbk("盈利")), held_);
    hideUnless(addButton(field_id::kCalculateProfit, gbk("计算")), held_);
    hideUnless(addEdit(field_id::kProfitRatio, gbk("盈利率")), held_).suffix = "%";
    hideUnless(addButton(field_id::kCalculateProfitRatio, gbk("计算")), held_);
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));
}

void StockEditForm::onLeave(std::string_view name) {
    if (!held_)
        return;
    if (name == field_id::kCurrentPrice) {
        leaveCurrent();
    } else if (name == stopLoss_.priceField) {
        leavePrice(stopLoss_);
    } else if (name == takeProfit_.priceField) {
        leavePrice(takeProfit_);
    }
}

void StockEditForm::leaveCost() {
    // The cost is stored in a 64-bit field and only ever comes from it.
    if (readMoneyField(*this, field(field_id::kCost), cost_) != 0)
        return;
    field(field_id::kPrice).text =
        tickText(buyPriceForTotal(categories_, shares_, category_, cost_), tick_);
}

bool StockEditForm::leaveCurrent() {
    if (readMilliField(*this, field(field_id::kCurrentPrice), current_, MilliWidth::Bits32,
                       tick_) != 0)
        return false;
    const double net =
        static_cast<double>(static_cast<Extended>(shares_) * current_ -
                            tradeFee(categories_, shares_, category_, current_, TradeSide::Sell));
    field(field_id::kCurrentValue).text = fixed2(net);
    return true;
}

bool StockEditForm::leavePrice(PriceTarget& t) {
    if (readMilliField(*this, field(t.priceField), t.price, t.width, tick_) != 0)
        return false;
    // A loss is the same signed quantity as a profit: below break-even it is negative.
    const double amount = static_cast<double>(
        static_cast<Extended>(shares_) * t.price -
        tradeFee(categories_, shares_, category_, t.price, TradeSide::Sell) - cost_);
    const double ratio =
        cost_ != 0.0 ? static_cast<double>(static_cast<Extended>(amount) / cost_ * 100) : 0.0;
    field(t.amountField).text = fixed2(amount);
    field(t.ratioField).text = fixed2(ratio);
    t.amount = shownValue(amount);
    t.ratio = shownValue(ratio);
    return true;
}

void StockEditForm::press(std::string_view name) {
    if (pressOkOrCancel(name, [this] { store(); }) || !held_)
        return;
    for (PriceTarget* t : {&stopLoss_, &takeProfit_}) {
        if (name == t->amountButton || name == t->ratioButton)
            calculate(*t, name == t->ratioButton);
    }
}

void StockEditForm::calculate(PriceTarget& t, bool fromRatio) {
    const char* source = fromRatio ? t.ratioField : t.amountField;
    double& typed = fromRatio ? t.ratio : t.amount;
    if (readMoneyField(*this, field(source), typed) != 0)
        return;
    // The sign is taken as typed: a loss is entered as a negative amount or ratio.
    const double target =
        fromRatio ? roundToCent(static_cast<double>(static_cast<Extended>(cost_) * 0.01L * typed))
                  : typed;
    const double price = sellPriceForNet(categories_, shares_, category_, cost_, target);
    field(t.priceField).text = tickText(price, tick_);
    // Read back from the field, so the amount shown is the one the found price really gives.
    leavePrice(t);
    requestFocus(source);
    touch();
}

void StockEditForm::store() {
    if (hasNoteSlot_)
        copyToField(note_.memo, sizeof note_.memo, field(field_id::kMemo).text);
    stock_.cost = toMilli(cost_);
    if (!held_)
        return;
    stock_.price = static_cast<std::int32_t>(toMilli(current_));
    stock_.stopLossPrice = toMilli(stopLoss_.price);
    stock_.takeProfitPrice = static_cast<std::int32_t>(toMilli(takeProfit_.price));
}

}  // namespace tallivan
