// update-prices and export: current prices from a market-data program, and the four lists as
// text or CSV files.
#include <map>
#include <string>

#include "arguments.h"
#include "base/gbk.h"
#include "commands.h"
#include "node_selection.h"

namespace tallivan::cli {

int runExport(CommandContext& ctx) {
    const Arguments args(ctx.words, {"format", "dir"});
    args.expectPositional(1, "export NODE [--format text|csv] [--dir DIR]");
    const std::string format = args.value("format").value_or("text");
    if (format != "text" && format != "csv")
        throw UsageError("--format: text or csv");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    // The directory is taken as 导出到 takes it: relative to the data directory unless absolute.
    if (const auto dir = args.value("dir"))
        ctx.controller.setExportDirectory(utf8ToGbk(*dir));
    if (format == "csv")
        ctx.controller.exportCsv();
    else
        ctx.controller.exportText();
    return 0;
}

int runUpdatePrices(CommandContext& ctx) {
    static const std::map<std::string, int> kSources = {
        {"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"tdx", 3}};
    const Arguments args(ctx.words, {"source", "dir"});
    args.expectPositional(1, "update-prices NODE --source 0|1|2|3|tdx --dir DIR");
    const auto source = kSources.find(args.required("source"));
    if (source == kSources.end())
        throw UsageError("--source: 0, 1, 2 or 3 (tdx)");
    // Choosing the source shows its stored directory, which the typed one then replaces.
    DialogScript script;
    script.select(field_id::kOptionGroup, source->second)
        .typeAll({{field_id::kDirectory, args.required("dir")}})
        .press(field_id::kOk);
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::UpdatePrices);
    ctx.ui.expectDialog(script);
    ctx.controller.updatePrices();
    // What the update did for each holding: its price as the list shows it and the day of the
    // close, or why it has none.
    for (const PriceUpdateLine& line : ctx.controller.lastPriceUpdate()) {
        ctx.out << gbkToUtf8(line.code) << '\t';
        if (line.miss == PriceMiss::None)
            ctx.out << gbkToUtf8(line.price) << '\t' << priceDateText(line.date) << '\n';
        else
            ctx.out << "-\t" << gbkToUtf8(priceMissText(line.miss)) << '\n';
    }
    return 0;
}

}  // namespace tallivan::cli
