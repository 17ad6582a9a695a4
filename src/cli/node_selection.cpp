#include "node_selection.h"

#include <stdexcept>

#include "base/gbk.h"

namespace tallivan::cli {

int selectNodeByPath(Controller& controller, const std::string& path) {
    const auto found = controller.tree().find(utf8ToGbk(path));
    if (!found)
        throw std::runtime_error("no account or group " + path);
    const bool group = controller.tree().node(*found).isGroup;
    if (!group && controller.selectedNode() == found) {
        // Clicking the account already selected opens it again only while it is locked.
        controller.clickNode();
    } else {
        if (group) {
            for (int account : controller.tree().accountsOf(*found))
                controller.selectNode(account);
        }
        controller.selectNode(*found);
    }
    // An account that did not open shows nothing: that is no ledger to print or change.
    if (!group && !controller.tree().node(*found).account->unlocked)
        throw std::runtime_error("cannot open account " + path);
    return *found;
}

void selectRowByNumber(Controller& controller, LedgerList list, std::int32_t number) {
    const auto& rows = controller.lists().rows(list);
    if (number < 1 || static_cast<std::size_t>(number) > rows.size())
        throw std::runtime_error("no row " + std::to_string(number));
    controller.selectRow(list, number - 1);
}

void selectStockRowByCode(Controller& controller, bool sold, const std::string& code,
                          const std::optional<std::string>& account) {
    const LedgerList list = sold ? LedgerList::Sold : LedgerList::Holdings;
    controller.setFocusedList(list);
    const std::string wanted = utf8ToGbk(code);
    const auto& rows = controller.lists().rows(list);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LedgerRow& row = rows[i];
        if (row.isSummary() || row.text(stock_column::kCode) != wanted)
            continue;
        if (account && (!row.ref->owner || row.ref->owner->path != utf8ToGbk(*account)))
            continue;
        controller.selectRow(list, static_cast<int>(i));
        return;
    }
    throw std::runtime_error("no " + std::string(sold ? "sold" : "held") + " stock " + code);
}

void requireCommand(const Controller& controller, CommandId command) {
    if (!controller.commands().canRun(command))
        throw std::runtime_error(std::string(commandDefinition(command).name) +
                                 " cannot run for this selection");
}

}  // namespace tallivan::cli
