// import: a broker's statement into an account. The file is what the desktop program's file
// chooser would return; the preview dialog is printed, one line per statement row and a line of
// totals, then 导入 is pressed (with --dry-run, Cancel).
#include <array>
#include <filesystem>
#include <ostream>

#include "arguments.h"
#include "base/gbk.h"
#include "base/numbers.h"
#include "commands.h"
#include "forms/import_form.h"
#include "node_selection.h"

namespace tallivan::cli {

namespace {

constexpr std::array<const char*, 5> kStatusWords = {"new", "duplicate", "skipped", "unknown",
                                                     "invalid"};

const char* commandWord(ImportCommand command) {
    static constexpr std::array<const char*, 10> words = {
        "", "buy", "sell", "dividend", "bonus", "rights", "won", "deposit", "withdraw", "adjust"};
    return words[static_cast<std::size_t>(command)];
}

// The money of a dividend or a fund movement stands where the ledger keeps a dividend's: in
// the fee.
bool isAmount(ImportCommand command) {
    return command == ImportCommand::Dividend || command == ImportCommand::Deposit ||
           command == ImportCommand::Withdrawal || command == ImportCommand::Adjustment;
}

void printPreview(std::ostream& out, const StatementPreview& preview) {
    for (const StatementEntry& e : preview.entries) {
        const bool amount = isAmount(e.command);
        out << kStatusWords[static_cast<std::size_t>(e.status)] << '\t'
            << (e.date ? isoDate(*e.date) : std::string()) << '\t' << commandWord(e.command) << '\t'
            << e.code << '\t' << e.shares << '\t' << fixed2(fromMilli(e.price)) << '\t'
            << fixed2(fromMilli(amount ? e.amount : e.fee)) << '\t' << gbkToUtf8(e.note) << '\n';
    }
    const auto counts = preview.counts();
    out << "total";
    for (std::size_t i = 0; i < counts.size(); ++i)
        out << (i ? ", " : "\t") << counts[i] << ' ' << kStatusWords[i];
    out << '\t' << fixed2(fromMilli(preview.newCash)) << '\n';
}

}  // namespace

int runImport(CommandContext& ctx) {
    const Arguments args(ctx.words, {}, {"dry-run"});
    args.expectPositional(2, "import ACCOUNT FILE [--dry-run]");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::Import);
    // A file named on the command line is the caller's, not the data directory's.
    const std::filesystem::path file = std::filesystem::absolute(args.positional()[1]);
    ctx.ui.expectFile(utf8ToGbk(file.string()));
    DialogScript script;
    script.inspect([&ctx](const Form& form) {
        printPreview(ctx.out, dynamic_cast<const ImportForm&>(form).preview());
    });
    script.press(args.flag("dry-run") ? field_id::kCancel : field_id::kImport);
    ctx.ui.expectDialog(std::move(script));
    ctx.controller.importStatement();
    return 0;
}

}  // namespace tallivan::cli
