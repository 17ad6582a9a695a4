#include "about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "images.h"

namespace tallivan::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("wndAbout");
    setWindowTitle("关于");
    auto* layout = new QVBoxLayout(this);
    // A fixed dialog border; the size follows the memo being shown or not.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(programPicture(48));
    auto* title = new QLabel("Tallivan V1.00", this);
    title->setObjectName("lblTitle");
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    title->setFont(font);
    top->addWidget(picture);
    top->addSpacing(12);
    top->addWidget(title, 1);
    layout->addLayout(top);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("确定", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* detail = new QPushButton("详细资料", this);
    detail->setObjectName("cmdDetail");
    detail->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(detail);
    layout->addLayout(buttons);

    auto* memo = new QPlainTextEdit("请多提意见", this);
    memo->setObjectName("txtDetail");
    memo->setReadOnly(true);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
    memo->hide();
    layout->addWidget(memo);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(detail, &QPushButton::clicked, this, [memo, detail, ok] {
        memo->show();
        detail->setEnabled(false);
        ok->setFocus();
    });
}

}  // namespace tallivan::gui
