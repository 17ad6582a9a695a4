// edit-stock: the stock edit dialog on a held or sold position.
#include <string>

#include "arguments.h"
#include "commands.h"
#include "node_selection.h"

namespace tallivan::cli {

int runEditStock(CommandContext& ctx) {
    // In the dialog's tab order: each value is typed and its field left; a loss or profit
    // (or its ratio) is followed by its 计算 button.
    static const struct {
        const char* option;
        const char* field;
        const char* button;
    } kFields[] = {
        {"memo", field_id::kMemo, nullptr},
        {"price", field_id::kCurrentPrice, nullptr},
        {"stop-loss", field_id::kStopLossPrice, nullptr},
        {"loss", field_id::kLoss, field_id::kCalculateLoss},
        {"loss-ratio", field_id::kLossRatio, field_id::kCalculateLossRatio},
        {"take-profit", field_id::kTakeProfitPrice, nullptr},
        {"profit", field_id::kProfit, field_id::kCalculateProfit},
        {"profit-ratio", field_id::kProfitRatio, field_id::kCalculateProfitRatio},
    };
    std::set<std::string> options = {"code", "account"};
    for (const auto& f : kFields)
        options.insert(f.option);
    const Arguments args(ctx.words, options, {"sold"});
    args.expectPositional(1,
                          "edit-stock NODE --code C [--sold] [--account PATH] [--memo T] "
                          "[--price P] [--stop-loss P] [--take-profit P] [--loss X] "
                          "[--loss-ratio X] [--profit X] [--profit-ratio X]");
    DialogScript script;
    for (const auto& f : kFields) {
        if (const auto value = args.value(f.option)) {
            script.typeAll({{f.field, *value}});
            if (f.button)
                script.press(f.button);
        }
    }
    script.press(field_id::kOk);
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::EditStock);
    selectStockRowByCode(ctx.controller, args.flag("sold"), args.required("code"),
                         args.value("account"));
    ctx.ui.expectDialog(script);
    ctx.controller.editStock();
    return 0;
}

}  // namespace tallivan::cli
