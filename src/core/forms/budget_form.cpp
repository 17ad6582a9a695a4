#include "forms/budget_form.h"

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/number_fields.h"
#include "ledger/fees.h"

namespace tallivan {

BudgetForm::BudgetForm(Ui& ui, const Settings& settings)
    : Form(ui, gbk("买卖股票预算(&C)")), settings_(settings) {
    Field type;
    type.name = "cboStkType";
    type.kind = FieldKind::Combo;
    type.label = gbk("类型");
    type.items = categoryNames(settings);
    type.selected = 0;
    add(std::move(type));
    addEdit("txtStockNum", gbk("股数")).text = "0";
    addEdit("txtBuyPrice", gbk("买价")).text = "0";
    addEdit("txtSellPrice", gbk("卖价")).text = "0";
    addButton("cmdCal", gbk("计算(&C)"));
    addEdit("txtBuySxf", gbk("买税费"));
    addEdit("txtBuyPriceAll", gbk("总买价"));
    addEdit("txtSellSxf", gbk("卖税费"));
    addEdit("txtSellPriceAll", gbk("总卖价"));
    addEdit("txtYl", gbk("净赢利"));
    addEdit("txtBlYl", gbk("赢利率"));
}

void BudgetForm::onLeave(std::string_view name) {
    // Each field is checked against a scratch value of 0, so a bad entry leaves "0" behind.
    if (name == "txtStockNum") {
        std::int32_t scratch = 0;
        readIntField(*this, field(name), scratch);
    } else if (name == "txtBuyPrice" || name == "txtSellPrice") {
        double scratch = 0;
        readMoneyField(*this, field(name), scratch);
    }
}

void BudgetForm::press(std::string_view name) {
    if (name == "cmdCal")
        calculate();
}

void BudgetForm::calculate() {
    const std::int32_t shares = parseInt(field("txtStockNum").text).value_or(0);
    const double buy = parseMoney(field("txtBuyPrice").text).value_or(0.0);
    const double sell = parseMoney(field("txtSellPrice").text).value_or(0.0);
    const int category = field("cboStkType").selected;
    const CategoryTable& table = settings_.categories;

    const double buyFee = tradeFee(table, shares, category, buy, TradeSide::Buy);
    const double totalBuy = static_cast<double>(static_cast<Extended>(shares) * buy + buyFee);
    const double sellFee = tradeFee(table, shares, category, sell, TradeSide::Sell);
    const double totalSell = static_cast<double>(static_cast<Extended>(shares) * sell - sellFee);
    const double profit = roundToCent(totalSell - totalBuy);
    const double rate =
        totalBuy != 0.0 ? static_cast<double>(static_cast<Extended>(profit) / totalBuy * 100) : 0.0;

    field("txtBuyPriceAll").text = generalForm(totalBuy);
    field("txtBuySxf").text = generalForm(buyFee);
    field("txtSellPriceAll").text = generalForm(totalSell);
    field("txtSellSxf").text = generalForm(sellFee);
    field("txtYl").text = generalForm(profit);
    field("txtBlYl").text = percent2(rate, 6);
    touch();
}

}  // namespace tallivan
