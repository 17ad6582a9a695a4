#include "forms/budget_form.h"

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/number_fields.h"
#include "ledger/fees.h"

namespace tallivan {

BudgetForm::BudgetForm(Ui& ui, const Settings& settings)
    : Form(ui, gbk("买卖股票预算(&C)")), settings_(settings) {
    Field type;
    type.name = field_id::kStockCategory;
    type.kind = FieldKind::Combo;
    type.label = gbk("类型");
    type.items = categoryNames(settings);
    type.selected = 0;
    add(std::move(type));
    addEdit(field_id::kShares, gbk("股数")).text = "0";
    addEdit(field_id::kBuyPrice, gbk("买价")).text = "0";
    addEdit(field_id::kSellPrice, gbk("卖价")).text = "0";
    addButton(field_id::kCalculate, gbk("计算(&C)"));
    addEdit(field_id::kBuyFee, gbk("买税费"));
    addEdit(field_id::kBuyTotal, gbk("总买价"));
    addEdit(field_id::kSellFee, gbk("卖税费"));
    addEdit(field_id::kSellTotal, gbk("总卖价"));
    addEdit(field_id::kProfit, gbk("净赢利"));
    addEdit(field_id::kNetProfitRatio, gbk("赢利率"));
}

void BudgetForm::onLeave(std::string_view name) {
    // Each field is checked against a scratch value of 0, so a bad entry leaves "0" behind.
    if (name == field_id::kShares) {
        std::int32_t scratch = 0;
        readIntField(*this, field(name), scratch);
    } else if (name == field_id::kBuyPrice || name == field_id::kSellPrice) {
        double scratch = 0;
        readMoneyField(*this, field(name), scratch);
    }
}

void BudgetForm::press(std::string_view name) {
    if (name == field_id::kCalculate)
        calculate();
}

void BudgetForm::calculate() {
    const std::int32_t shares = parseInt(field(field_id::kShares).text).value_or(0);
    const double buy = parseMoney(field(field_id::kBuyPrice).text).value_or(0.0);
    const double sell = parseMoney(field(field_id::kSellPrice).text).value_or(0.0);
    const int category = field(field_id::kStockCategory).selected;
    const CategoryTable& table = settings_.categories;

    const double buyFee = tradeFee(table, shares, category, buy, TradeSide::Buy);
    const double totalBuy = static_cast<double>(static_cast<Extended>(shares) * buy + buyFee);
    const double sellFee = tradeFee(table, shares, category, sell, TradeSide::Sell);
    const double totalSell = static_cast<double>(static_cast<Extended>(shares) * sell - sellFee);
    const double profit = roundToCent(totalSell - totalBuy);
    const double rate =
        totalBuy != 0.0 ? static_cast<double>(static_cast<Extended>(profit) / totalBuy * 100) : 0.0;

    field(field_id::kBuyTotal).text = generalForm(totalBuy);
    field(field_id::kBuyFee).text = generalForm(buyFee);
    field(field_id::kSellTotal).text = generalForm(totalSell);
    field(field_id::kSellFee).text = generalForm(sellFee);
    field(field_id::kProfit).text = generalForm(profit);
    field(field_id::kNetProfitRatio).text = percent2(rate, 6);
    touch();
}

}  // namespace tallivan
