// Every command of the main window in one table: its id, the name its menu entry or button
// carries, caption, shortcut, hint, when it is available, the controller method that runs it and
// the command-line verb that reaches it. The menus, the tool bar, the command states and the
// command line's table are all built from it, so a new command is one row and one method.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tallivan {

class Controller;

enum class CommandId : std::uint8_t {
    FileMenu,
    Options,
    Configure,
    StockNames,
    ExportMenu,
    ExportText,
    ExportCsv,
    ExportDirectory,
    Import,
    UpdatePrices,
    Exit,
    AccountMenu,
    AddAccount,
    EditAccount,
    DeleteAccount,
    ChangePassword,
    SealAccount,
    UnsealAccount,
    AddFund,
    DeleteFund,
    StockMenu,
    Buy,
    Subscribe,
    Sell,
    RightsIssue,
    BonusShares,
    Dividend,
    SubscriptionWon,
    SubscriptionNotWon,
    EditStock,
    DeleteStock,
    EditTrade,
    UndoTrade,
    ViewMenu,
    Filter,
    OriginalOrder,
    HelpMenu,
    Help,
    About,
    BuyButton,
    SellButton,
    EditStockButton,
    EditTradeButton,
    UpdatePricesButton,
    AboutButton,
    None,  // a separator's row
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::None);

enum class CommandKind : std::uint8_t {
    Menu,           // a menu of the menu bar, or a submenu of its parent
    Command,        // an entry of its parent menu
    Separator,      // a line in its parent menu
    ToolButton,     // a tool bar button running its parent command
    ToolSeparator,  // a gap in the tool bar
};

// What selecting a tree node does to a command's availability.
enum class Availability : std::uint8_t { Keep, On, Off };

struct CommandDefinition {
    CommandKind kind = CommandKind::Command;
    CommandId id = CommandId::None;
    const char* name = "";               // the object name, the one spelling of the command
    CommandId parent = CommandId::None;  // the menu it sits in, or the command a button runs
    const char* caption = "";            // UTF-8 source text, "&" before the mnemonic
    const char* shortcut = "";
    const char* hint = "";  // "tool tip|status text"; without "|" one text serves as both
    int image = -1;         // a tool button's picture
    // Availability after selecting a group, an account that opened, an account that did not.
    Availability onGroup = Availability::Keep;
    Availability onOpened = Availability::Keep;
    Availability onFailed = Availability::Keep;
    bool startsHidden = false;
    void (Controller::*run)() = nullptr;  // nullptr: the face does it (a window, a file chooser)
    const char* verb = nullptr;           // the command line's name for it, if it has one
};

// The rows in the order of the menus, then of the tool bar.
std::span<const CommandDefinition> commandRegistry();

const CommandDefinition& commandDefinition(CommandId id);

// The command a name or a command-line verb stands for.
std::optional<CommandId> commandNamed(std::string_view name);
std::optional<CommandId> commandOfVerb(std::string_view verb);

constexpr std::size_t indexOf(CommandId id) {
    return static_cast<std::size_t>(id);
}

}  // namespace tallivan
