#include "export_location.h"

#include <QDir>
#include <QFileDialog>

#include "app/controller.h"
#include "qt_text.h"

namespace tallivan::gui {

void chooseExportDirectory(QWidget* parent, Controller& controller) {
    // Where the exports go now: the chosen directory, else the group's (paths are relative to
    // the data directory, the program's working directory).
    QString now = toQt(controller.exportDirectory());
    if (now.isEmpty() && controller.selectedNode()) {
        const AccountTree& tree = controller.tree();
        now = toQt(tree.node(tree.groupOf(*controller.selectedNode())).path);
    }
    const QString chosen =
        QFileDialog::getExistingDirectory(parent, "导出到", QDir::current().absoluteFilePath(now));
    if (!chosen.isEmpty())
        controller.setExportDirectory(fromQt(chosen));
}

}  // namespace tallivan::gui
