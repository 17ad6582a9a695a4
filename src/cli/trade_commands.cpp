// The commands that record and correct transactions: buy, subscribe, sell, rights, bonus,
// dividend, won, not-won, edit-trade, undo-trade and delete-stock.
#include <map>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "node_selection.h"

namespace tallivan::cli {

namespace {

// The trade dialog's values: the date's three parts and the named options' fields.
DialogScript tradeScript(const Arguments& args,
                         const std::vector<std::pair<const char*, const char*>>& fields) {
    std::map<std::string, std::string> values;
    if (const auto date = args.value("date"))
        values.merge(dateFieldValues(*date));
    for (const auto& [option, field] : fields) {
        if (const auto value = args.value(option))
            values[field] = *value;
    }
    DialogScript script;
    script.typeAll(values).press(field_id::kOk);
    return script;
}

// buy and subscribe: a new transaction typed in whole, code included.
int recordNew(CommandContext& ctx, const char* usage, CommandId command, bool withFee) {
    std::set<std::string> options = {"code", "shares", "price", "date"};
    if (withFee)
        options.insert("fee");
    const Arguments args(ctx.words, options);
    args.expectPositional(1, usage);
    for (const char* required : {"code", "shares", "price"})
        args.required(required);
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, command);
    ctx.ui.expectDialog(tradeScript(args, {{"code", field_id::kCode},
                                           {"shares", field_id::kShares},
                                           {"price", field_id::kPrice},
                                           {"fee", field_id::kFee}}));
    ctx.controller.run(command);
    return 0;
}

// sell, rights, bonus and dividend: a transaction on the holding of --code.
int recordOnHolding(CommandContext& ctx, const char* usage, CommandId command,
                    const std::vector<std::pair<const char*, const char*>>& fields) {
    std::set<std::string> options = {"code", "account", "date"};
    for (const auto& [option, field] : fields)
        options.insert(option);
    const Arguments args(ctx.words, options);
    args.expectPositional(1, usage);
    for (const auto& [option, field] : fields) {
        if (std::string(option) != "fee")
            args.required(option);
    }
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, command);
    selectStockRowByCode(ctx.controller, false, args.required("code"), args.value("account"));
    ctx.ui.expectDialog(tradeScript(args, fields));
    ctx.controller.run(command);
    return 0;
}

// won, not-won, edit-trade and undo-trade: transaction row --row of NODE.
void selectTradeRow(CommandContext& ctx, const Arguments& args, const char* usage,
                    CommandId command) {
    args.expectPositional(1, usage);
    const std::int32_t row = args.requiredInt("row");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, command);
    selectRowByNumber(ctx.controller, LedgerList::Trades, row);
}

}  // namespace

int runBuy(CommandContext& ctx) {
    return recordNew(ctx, "buy ACCOUNT --code C --shares N --price P [--fee F] [--date Y-M-D]",
                     CommandId::Buy, true);
}

int runSubscribe(CommandContext& ctx) {
    return recordNew(ctx, "subscribe ACCOUNT --code C --shares N --price P [--date Y-M-D]",
                     CommandId::Subscribe, false);
}

int runSell(CommandContext& ctx) {
    return recordOnHolding(
        ctx,
        "sell NODE --code C --shares N --price P [--fee F] [--date Y-M-D] "
        "[--account PATH]",
        CommandId::Sell,
        {{"shares", field_id::kShares}, {"price", field_id::kPrice}, {"fee", field_id::kFee}});
}

int runRights(CommandContext& ctx) {
    return recordOnHolding(
        ctx, "rights NODE --code C --shares N --price P [--date Y-M-D] [--account PATH]",
        CommandId::RightsIssue, {{"shares", field_id::kShares}, {"price", field_id::kPrice}});
}

int runBonus(CommandContext& ctx) {
    return recordOnHolding(ctx, "bonus NODE --code C --shares N [--date Y-M-D] [--account PATH]",
                           CommandId::BonusShares, {{"shares", field_id::kShares}});
}

int runDividend(CommandContext& ctx) {
    return recordOnHolding(ctx, "dividend NODE --code C --amount A [--date Y-M-D] [--account PATH]",
                           CommandId::Dividend, {{"amount", field_id::kFee}});
}

int runWon(CommandContext& ctx) {
    const Arguments args(ctx.words, {"row", "shares"});
    selectTradeRow(ctx, args, "won NODE --row N --shares W", CommandId::SubscriptionWon);
    ctx.ui.expectDialog(
        DialogScript().typeAll({{field_id::kText, args.required("shares")}}).press(field_id::kOk));
    ctx.controller.subscriptionWon();
    return 0;
}

int runNotWon(CommandContext& ctx) {
    const Arguments args(ctx.words, {"row"});
    selectTradeRow(ctx, args, "not-won NODE --row N", CommandId::SubscriptionNotWon);
    ctx.controller.subscriptionNotWon();
    return 0;
}

int runEditTrade(CommandContext& ctx) {
    const Arguments args(ctx.words, {"row", "date", "shares", "price", "fee", "cost-basis"});
    selectTradeRow(ctx, args,
                   "edit-trade NODE --row N [--date Y-M-D] [--shares N] [--price P] [--fee F] "
                   "[--cost-basis X]",
                   CommandId::EditTrade);
    ctx.ui.expectDialog(tradeScript(args, {{"shares", field_id::kShares},
                                           {"price", field_id::kPrice},
                                           {"fee", field_id::kFee},
                                           {"cost-basis", field_id::kTotal}}));
    ctx.controller.editTrade();
    return 0;
}

int runUndoTrade(CommandContext& ctx) {
    const Arguments args(ctx.words, {"row"});
    selectTradeRow(ctx, args, "undo-trade NODE --row N", CommandId::UndoTrade);
    ctx.ui.expectDialog(DialogScript().press(field_id::kOk));
    ctx.controller.undoTrade();
    return 0;
}

int runDeleteStock(CommandContext& ctx) {
    const Arguments args(ctx.words, {"code", "account"}, {"sold"});
    args.expectPositional(1, "delete-stock NODE --code C [--sold] [--account PATH]");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::DeleteStock);
    selectStockRowByCode(ctx.controller, args.flag("sold"), args.required("code"),
                         args.value("account"));
    ctx.controller.deleteStock();
    return 0;
}

}  // namespace tallivan::cli
