// fee, budget, config and init: the fee table, the budget panel and a new data directory.
#include <string>

#include "arguments.h"
#include "base/gbk.h"
#include "base/numbers.h"
#include "commands.h"

namespace tallivan::cli {

void printField(std::ostream& out, const Form& form, const std::string& name) {
    const Field& f = form.field(name);
    out << gbkToUtf8(f.label) << '\t' << gbkToUtf8(f.text) << '\n';
}

namespace {

// A 0|1 option's value, when given.
std::optional<bool> switchValue(const Arguments& args, const std::string& option) {
    const auto v = args.value(option);
    if (!v)
        return std::nullopt;
    if (*v != "0" && *v != "1")
        throw UsageError("--" + option + ": 0 or 1, not '" + *v + "'");
    return *v == "1";
}

TradeSide sideOf(const Arguments& args) {
    const std::string side = args.value("side").value_or("buy");
    if (side == "buy")
        return TradeSide::Buy;
    if (side == "sell")
        return TradeSide::Sell;
    throw UsageError("--side: buy or sell, not '" + side + "'");
}

}  // namespace

int runFee(CommandContext& ctx) {
    const Arguments args(ctx.words, {"code", "shares", "price", "side"});
    args.expectPositional(0, "fee --code C --shares N --price P [--side buy|sell]");
    const FeeQuote quote =
        ctx.controller.quoteFee(utf8ToGbk(args.required("code")), args.requiredInt("shares"),
                                args.requiredMoney("price"), sideOf(args));
    ctx.out << "category\t" << quote.category << '\n' << "fee\t" << fixed2(quote.fee) << '\n';
    return 0;
}

int runBudget(CommandContext& ctx) {
    const Arguments args(ctx.words, {"category", "shares", "buy", "sell"});
    args.expectPositional(0, "budget --category I --shares N --buy P --sell P");
    BudgetForm& panel = ctx.controller.budget();
    const std::int32_t category = args.requiredInt("category");
    if (category < 0 ||
        category >= static_cast<int>(panel.field(field_id::kStockCategory).items.size())) {
        throw UsageError("--category: no entry " + std::to_string(category));
    }
    DialogScript script;
    script.select(field_id::kStockCategory, category)
        .typeAll({{field_id::kShares, args.required("shares")},
                  {field_id::kBuyPrice, args.required("buy")},
                  {field_id::kSellPrice, args.required("sell")}})
        .press(field_id::kCalculate);
    script.runOn(panel);
    // A refused value stops the script: there is no result to print.
    if (!panel.isOpen())
        return 1;
    for (const char* name : {field_id::kBuyFee, field_id::kBuyTotal, field_id::kSellFee,
                             field_id::kSellTotal, field_id::kProfit, field_id::kNetProfitRatio}) {
        printField(ctx.out, panel, name);
    }
    return 0;
}

int runConfig(CommandContext& ctx) {
    static const std::pair<const char*, const char*> kRuleBoxes[] = {
        {"stamp-on-sales-only", field_id::kStampOnSalesOnly},
        {"transfer-of-amount", field_id::kTransferOfAmount},
        {"price-in-milli", field_id::kPriceInMilli},
    };
    static const std::pair<const char*, const char*> kOptionFields[] = {
        {"name", field_id::kTitle},
        {"code-length", field_id::kCodeLength},
        {"prefix", field_id::kCode},
        {"commission-rate", field_id::kCommissionRate},
        {"min-commission", field_id::kMinCommission},
        {"stamp-tax-rate", field_id::kStampTaxRate},
        {"transfer-fee", field_id::kTransferFee},
        {"min-transfer-fee", field_id::kMinTransferFee},
        {"order-fee", field_id::kOrderFee},
    };
    std::set<std::string> options = {"preset"};
    for (const auto& [option, fieldName] : kOptionFields)
        options.insert(option);
    for (const auto& [option, fieldName] : kRuleBoxes)
        options.insert(option);
    const Arguments args(ctx.words, options);

    DialogScript script;
    if (const auto preset = args.value("preset")) {
        // The whole table at once: no row, no field, nothing but "--preset current".
        if (*preset != "current" || ctx.words.size() != 2)
            throw UsageError("config --preset current (alone)");
        script.press(field_id::kCurrentRates);
    } else {
        args.expectPositional(1, "config ROW [--name T] [--code-length N] [--prefix T] ...");
        const auto row = parseInt(args.positional()[0]);
        if (!row || *row < 0 || *row >= kCategoryCount)
            throw UsageError("config: ROW is 0 to 19");
        script.select(field_id::kCategoryList, *row);
        // The rules before the values: they decide how the rates are read.
        for (const auto& [option, fieldName] : kRuleBoxes) {
            if (const auto on = switchValue(args, option))
                script.toggle(fieldName, *on);
        }
        std::map<std::string, std::string> values;
        for (const auto& [option, fieldName] : kOptionFields) {
            if (const auto v = args.value(option))
                values[fieldName] = *v;
        }
        script.typeAll(values).press(field_id::kOk);
    }
    ctx.ui.expectDialog(script);
    ctx.controller.configure();
    return 0;
}

int runInit(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(0, "init");
    return ctx.controller.setUpNewDataDirectory() ? 0 : 1;
}

}  // namespace tallivan::cli
