// 帮助 → 内容: the help file zrstk.chm of the data directory, opened by the desktop as any
// document; without one, the program's own user manual in a window of its own.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace tallivan::gui {

// The help file's name, in the working directory.
inline constexpr const char* kHelpFile = "zrstk.chm";

// Opens the help for `owner`'s program.
void showHelp(QWidget* owner);

// The program's user manual (Chinese, HTML), a window that stays open beside the main window.
class ManualWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ManualWindow(QWidget* parent);
};

}  // namespace tallivan::gui
