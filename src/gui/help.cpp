#include "help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The manual is compiled into the program's library; a static library needs its resources
// registered by name, outside any namespace.
static void registerManual() {
    Q_INIT_RESOURCE(manual);
}

namespace tallivan::gui {

void showHelp(QWidget* owner) {
    const QFileInfo helpFile(QDir::current().absoluteFilePath(kHelpFile));
    if (helpFile.isFile()) {
        // The desktop opens it with whatever reads such files; a failure shows nothing.
        QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile.absoluteFilePath()));
        return;
    }
    // One manual window: asking again brings it to the front.
    auto* manual = owner->findChild<ManualWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!manual)
        manual = new ManualWindow(owner);
    manual->show();
    manual->raise();
    manual->activateWindow();
}

ManualWindow::ManualWindow(QWidget* parent) : QDialog(parent) {
    registerManual();
    setObjectName("wndManual");
    setWindowTitle("Tallivan 使用说明");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QTextBrowser(this);
    text->setObjectName("txtManual");
    text->setOpenExternalLinks(true);
    text->setSource(QUrl("qrc:/manual/index.html"));
    layout->addWidget(text);
    auto* close = new QPushButton("关闭(&C)", this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(720, 600);
}

}  // namespace tallivan::gui
