// fund and delete-fund: the fund dialog and the deletion of a fund movement.
#include <map>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "node_selection.h"

namespace tallivan::cli {

// The three date edits of a dialog from "Y-M-D", each part typed as given.
std::map<std::string, std::string> dateFieldValues(const std::string& date) {
    const std::size_t first = date.find('-', 1);
    const std::size_t second = first == std::string::npos ? first : date.find('-', first + 2);
    if (second == std::string::npos)
        throw UsageError("--date: '" + date + "' is not Y-M-D");
    return {{field_id::kYear, date.substr(0, first)},
            {field_id::kMonth, date.substr(first + 1, second - first - 1)},
            {field_id::kDay, date.substr(second + 1)}};
}

int runFund(CommandContext& ctx) {
    static const std::map<std::string, int> kOperations = {
        {"deposit", 0}, {"withdraw", 1}, {"adjust", 2}};
    const Arguments args(ctx.words, {"op", "amount", "title", "memo", "date"});
    args.expectPositional(
        1,
        "fund ACCOUNT --op deposit|withdraw|adjust --amount A [--title T] [--memo T] "
        "[--date Y-M-D]");
    const auto operation = kOperations.find(args.required("op"));
    if (operation == kOperations.end())
        throw UsageError("--op: deposit, withdraw or adjust");
    std::map<std::string, std::string> values = {{field_id::kAmount, args.required("amount")}};
    if (const auto date = args.value("date"))
        values.merge(dateFieldValues(*date));
    if (const auto title = args.value("title"))
        values[field_id::kTitle] = *title;
    if (const auto memo = args.value("memo"))
        values[field_id::kMemo] = *memo;
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::AddFund);
    ctx.ui.expectDialog(DialogScript()
                            .select(field_id::kOperation, operation->second)
                            .typeAll(values)
                            .press(field_id::kOk));
    ctx.controller.addFund();
    return 0;
}

int runDeleteFund(CommandContext& ctx) {
    const Arguments args(ctx.words, {"row"});
    args.expectPositional(1, "delete-fund NODE --row N");
    const std::int32_t row = args.requiredInt("row");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::DeleteFund);
    selectRowByNumber(ctx.controller, LedgerList::Funds, row);
    ctx.controller.deleteFund();
    return 0;
}

}  // namespace tallivan::cli
