// The commands of tallivan-cli. Each drives the controller exactly as the desktop program's
// command of the same name; none computes a result by a path of its own.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "app/controller.h"
#include "scripted_ui.h"

namespace tallivan::cli {

struct CommandContext {
    Controller& controller;
    ScriptedUi& ui;
    std::vector<std::string> words;  // the words after the command's name
    std::ostream& out;
};

using CommandHandler = int (*)(CommandContext&);

struct CommandEntry {
    const char* name;
    CommandHandler handler;
};

// fee, budget, config, init
int runFee(CommandContext& ctx);
int runBudget(CommandContext& ctx);
int runConfig(CommandContext& ctx);
int runInit(CommandContext& ctx);

// tree, show, options, add-account, edit-account, delete-account, passwd, name
int runTree(CommandContext& ctx);
int runShow(CommandContext& ctx);
int runOptions(CommandContext& ctx);
int runAddAccount(CommandContext& ctx);
int runEditAccount(CommandContext& ctx);
int runDeleteAccount(CommandContext& ctx);
int runPasswd(CommandContext& ctx);
int runName(CommandContext& ctx);

// seal, unseal
int runSeal(CommandContext& ctx);
int runUnseal(CommandContext& ctx);
// The first line of a file holding a password or passphrase.
std::string readPasswordFile(const std::string& path);

// fund, delete-fund
int runFund(CommandContext& ctx);
int runDeleteFund(CommandContext& ctx);

// edit-stock
int runEditStock(CommandContext& ctx);

// buy, subscribe, sell, rights, bonus, dividend, won, not-won, edit-trade, undo-trade,
// delete-stock
int runBuy(CommandContext& ctx);
int runSubscribe(CommandContext& ctx);
int runSell(CommandContext& ctx);
int runRights(CommandContext& ctx);
int runBonus(CommandContext& ctx);
int runDividend(CommandContext& ctx);
int runWon(CommandContext& ctx);
int runNotWon(CommandContext& ctx);
int runEditTrade(CommandContext& ctx);
int runUndoTrade(CommandContext& ctx);
int runDeleteStock(CommandContext& ctx);

// update-prices, export
int runUpdatePrices(CommandContext& ctx);
int runExport(CommandContext& ctx);

// import
int runImport(CommandContext& ctx);
// report
int runReport(CommandContext& ctx);

// The three date edits of a dialog ("txtYear", "txtMonth", "txtDay") from "Y-M-D", each part
// typed as given.
std::map<std::string, std::string> dateFieldValues(const std::string& date);

// Every command, looked up by name.
const std::vector<CommandEntry>& commandTable();

// Prints a form's field as "LABEL<TAB>TEXT" in UTF-8.
void printField(std::ostream& out, const Form& form, const std::string& name);

}  // namespace tallivan::cli
