// The main window's commands as data: the menus with captions, shortcuts and hints, and the
// tool bar buttons with the command each one runs.
#pragma once

#include <QString>
#include <vector>

namespace tallivan::gui {

struct MenuCommand {
    const char* name;
    const char* caption;   // nullptr: a separator
    const char* shortcut;  // "" when none
    const char* hint;      // "tool tip|status text"; without "|" one text serves as both
    // The submenu the command sits in, when it is not directly in its menu.
    const char* submenu = nullptr;
    const char* submenuCaption = nullptr;
};

struct MenuDefinition {
    const char* name;
    const char* caption;
    std::vector<MenuCommand> commands;
};

const std::vector<MenuDefinition>& mainMenus();

struct ToolButtonDefinition {
    const char* name;
    const char* command;  // the menu command it runs; nullptr: a separator
    int image;
};

const std::vector<ToolButtonDefinition>& toolButtons();

// The hint of the main window itself, shown wherever nothing more specific has one.
extern const char* const kWindowHint;

// The tool tip part of a hint (before the first "|") and the status text (after it).
QString shortHint(const QString& hint);
QString longHint(const QString& hint);

}  // namespace tallivan::gui
