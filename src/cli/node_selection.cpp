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
        return *found;
    }
    if (group) {
        for (int account : controller.tree().accountsOf(*found))
            controller.selectNode(account);
    }
    controller.selectNode(*found);
    return *found;
}

void selectRowByNumber(Controller& controller, LedgerList list, std::int32_t number) {
    const auto& rows = controller.lists().rows(list);
    if (number < 1 || static_cast<std::size_t>(number) > rows.size())
        throw std::runtime_error("no row " + std::to_string(number));
    controller.selectRow(list, number - 1);
}

void requireCommand(const Controller& controller, const std::string& command) {
    if (!controller.commands().canRun(command))
        throw std::runtime_error(command + " cannot run for this selection");
}

}  // namespace tallivan::cli
