// tree, show, options, add-account, edit-account, delete-account, passwd and name.
#include <map>
#include <string>

#include "arguments.h"
#include "base/gbk.h"
#include "commands.h"
#include "node_selection.h"

namespace tallivan::cli {

namespace {

// The account dialog's options and the fields they are typed into.
const std::pair<const char*, const char*> kAccountFields[] = {
    {"title", field_id::kTitle},
    {"stop-loss-ratio", field_id::kStopLossRatio},
    {"stop-loss-limit", field_id::kHighestStopLossPrice},
    {"take-profit-ratio", field_id::kTakeProfitRatio},
    {"take-profit-limit", field_id::kLowestTakeProfitPrice},
    {"memo", field_id::kMemo},
};

std::set<std::string> accountOptions() {
    std::set<std::string> options = {"date"};
    for (const auto& [option, fieldName] : kAccountFields)
        options.insert(option);
    return options;
}

// The values typed into the account dialog: the named options, the date as its three parts.
std::map<std::string, std::string> accountFieldValues(const Arguments& args) {
    std::map<std::string, std::string> values;
    for (const auto& [option, fieldName] : kAccountFields) {
        if (const auto v = args.value(option))
            values[fieldName] = *v;
    }
    if (const auto date = args.value("date"))
        values.merge(dateFieldValues(*date));
    return values;
}

const char* sectionName(LedgerList list) {
    switch (list) {
        case LedgerList::Holdings:
            return "holdings";
        case LedgerList::Sold:
            return "sold";
        case LedgerList::Trades:
            return "trades";
        case LedgerList::Funds:
            return "funds";
    }
    return "";
}

void printList(std::ostream& out, const Controller& controller, LedgerList list) {
    out << '[' << sectionName(list) << "]\n";
    // Rows are gathered in GBK and converted a block at a time: tabs and line ends are the same
    // bytes in both encodings, and a large account prints a hundred thousand rows.
    std::string block;
    const auto flush = [&] {
        out << gbkToUtf8(block);
        block.clear();
    };
    for (const LedgerRow& row : controller.lists().rows(list)) {
        block += std::to_string(row.image);
        for (int c = 1; c < row.textCount(); ++c) {
            block += '\t';
            block += row.text(c);
        }
        block += '\n';
        if (block.size() >= 1 << 16)
            flush();
    }
    flush();
}

void printTotals(std::ostream& out, const Controller& controller) {
    out << "[totals]\n";
    for (int i = 0; i < kPanelFieldCount; ++i) {
        out << gbkToUtf8(panelCaptions()[static_cast<std::size_t>(i)]) << '\t'
            << gbkToUtf8(controller.totalsPanel().texts[static_cast<std::size_t>(i)]) << '\n';
        if (i == kFrozenAfterField && !controller.totalsPanel().frozen.empty())
            out << gbkToUtf8(frozenCaption()) << '\t' << gbkToUtf8(controller.totalsPanel().frozen)
                << '\n';
    }
}

}  // namespace

int runTree(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(0, "tree");
    const AccountTree& tree = ctx.controller.tree();
    for (int i = 0; i < tree.size(); ++i) {
        const TreeNode& node = tree.node(i);
        ctx.out << (node.isGroup ? "group" : "account") << '\t' << gbkToUtf8(node.path) << '\t'
                << gbkToUtf8(node.text) << '\n';
    }
    return 0;
}

int runShow(CommandContext& ctx) {
    static const std::pair<const char*, LedgerList> kSections[] = {
        {"holdings", LedgerList::Holdings},
        {"sold", LedgerList::Sold},
        {"trades", LedgerList::Trades},
        {"funds", LedgerList::Funds},
    };
    // --list may be given several times: gather them before the arguments are read.
    std::set<std::string> wanted;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < ctx.words.size(); ++i) {
        if (ctx.words[i] == "--list") {
            if (i + 1 >= ctx.words.size())
                throw UsageError("option --list needs a value");
            const std::string& name = ctx.words[++i];
            if (name != "totals" && name != "holdings" && name != "sold" && name != "trades" &&
                name != "funds")
                throw UsageError("--list: unknown list " + name);
            wanted.insert(name);
        } else {
            rest.push_back(ctx.words[i]);
        }
    }
    const Arguments args(rest, {});
    args.expectPositional(1, "show NODE [--list holdings|sold|trades|funds|totals]...");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    for (const auto& [name, list] : kSections) {
        if (wanted.empty() || wanted.count(name))
            printList(ctx.out, ctx.controller, list);
    }
    if (wanted.empty() || wanted.count("totals"))
        printTotals(ctx.out, ctx.controller);
    return 0;
}

int runOptions(CommandContext& ctx) {
    const Arguments args(ctx.words, {"dirs", "want-password"});
    args.expectPositional(0, "options [--dirs TEXT] [--want-password 0|1]");
    DialogScript script;
    if (const auto dirs = args.value("dirs"))
        script.typeAll({{field_id::kDirectory, *dirs}});
    if (const auto want = args.value("want-password")) {
        if (*want != "0" && *want != "1")
            throw UsageError("--want-password: 0 or 1");
        script.toggle(field_id::kWantPassword, *want == "1");
    }
    script.press(field_id::kOk);
    ctx.ui.expectDialog(script);
    ctx.controller.options();
    return 0;
}

int runAddAccount(CommandContext& ctx) {
    const Arguments args(ctx.words, accountOptions());
    args.expectPositional(1, "add-account GROUP [--title T] [--date Y-M-D] ...");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    ctx.ui.expectDialog(DialogScript().typeAll(accountFieldValues(args)).press(field_id::kOk));
    const int before = ctx.controller.tree().size();
    ctx.controller.addAccount();
    if (ctx.controller.tree().size() == before)
        return 1;
    ctx.out << gbkToUtf8(ctx.controller.tree().node(*ctx.controller.selectedNode()).path) << '\n';
    return 0;
}

int runEditAccount(CommandContext& ctx) {
    const Arguments args(ctx.words, accountOptions());
    args.expectPositional(1, "edit-account ACCOUNT [--title T] [--date Y-M-D] ...");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::EditAccount);
    ctx.ui.expectDialog(DialogScript().typeAll(accountFieldValues(args)).press(field_id::kOk));
    ctx.controller.editAccount();
    return 0;
}

int runDeleteAccount(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(1, "delete-account ACCOUNT");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::DeleteAccount);
    ctx.ui.expectDialog(DialogScript().press(field_id::kOk));
    ctx.controller.deleteAccount();
    return 0;
}

int runPasswd(CommandContext& ctx) {
    const Arguments args(ctx.words, {"old", "new", "again"});
    args.expectPositional(1, "passwd ACCOUNT --old OLD --new NEW [--again AGAIN]");
    const std::string newPassword = args.required("new");
    const std::string oldPassword = args.required("old");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::ChangePassword);
    ctx.ui.expectDialog(
        DialogScript()
            .typeAll({{field_id::kOldPassword, oldPassword},
                      {field_id::kNewPassword, newPassword},
                      {field_id::kNewPasswordAgain, args.value("again").value_or(newPassword)}})
            .press(field_id::kOk));
    ctx.controller.changePassword();
    return 0;
}

int runName(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(2, "name CODE NAME");
    ctx.ui.expectDialog(DialogScript()
                            .typeAll({{field_id::kCode, args.positional()[0]},
                                      {field_id::kTitle, args.positional()[1]}})
                            .press(field_id::kOk));
    ctx.controller.editStockName();
    return 0;
}

}  // namespace tallivan::cli
