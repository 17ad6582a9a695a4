// Choosing a node of the account tree by its path, as a person would click it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/controller.h"

namespace tallivan::cli {

// Selects the node whose path is `path` (UTF-8). A group's accounts are opened once each, in
// tree order, before the group itself is selected, so the group view holds every account that
// could be opened. The account selected already is clicked, as a person would (it opens again
// only while it is locked). Throws std::runtime_error when no node has that path.
int selectNodeByPath(Controller& controller, const std::string& path);

// Selects the `number`-th row (1 = the first) of `list` as `show` prints it. Throws
// std::runtime_error when the list has no such row.
void selectRowByNumber(Controller& controller, LedgerList list, std::int32_t number);

// Gives the holdings list (the sold list with `sold`) the keyboard focus and selects its row
// whose code is `code` (UTF-8), of the account `account` when given (its path), else the first
// such row. Throws std::runtime_error when there is none.
void selectStockRowByCode(Controller& controller, bool sold, const std::string& code,
                          const std::optional<std::string>& account);

// Throws std::runtime_error when `command` cannot be run for the selection.
void requireCommand(const Controller& controller, CommandId command);

}  // namespace tallivan::cli
