// The small dialogs: options, the one-line input prompt, the password change, the price source
// and the stock name. The first four press OK on Enter; in the stock name dialog Enter moves on.
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialog_views.h"
#include "forms/edit_password_form.h"
#include "forms/input_form.h"
#include "forms/options_form.h"
#include "forms/price_source_form.h"
#include "forms/stock_code_form.h"

namespace tallivan::gui {

namespace {

QVBoxLayout* fixedLayout(QWidget* dialog) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return layout;
}

}  // namespace

OptionsDialog::OptionsDialog(OptionsForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndOpt");
    QVBoxLayout* layout = fixedLayout(this);
    QLineEdit* dirs = edit("txtDir");
    dirs->setMinimumWidth(dirs->fontMetrics().horizontalAdvance(QString(40, 'x')));
    layout->addWidget(label("txtDir"));
    layout->addWidget(dirs);
    layout->addWidget(fieldWidget("chkWantPwd"));
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::DefaultButton);
}

InputDialog::InputDialog(InputForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndInput");
    QVBoxLayout* layout = fixedLayout(this);
    QLineEdit* text = edit("txtText");
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QString(24, 'x')));
    QLabel* caption = label("txtText");
    caption->setObjectName("lblLabel");
    layout->addWidget(caption);
    layout->addWidget(text);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::DefaultButton);
}

EditPasswordDialog::EditPasswordDialog(EditPasswordForm& form, QWidget* parent)
    : FormDialog(form, parent) {
    setObjectName("wndEditPwd");
    QVBoxLayout* layout = fixedLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const char* name : {"txtOldPwd", "txtNewPwd", "txtNewPwdAgain"}) {
        edit(name, 12);
        grid->addWidget(label(name), row, 0);
        grid->addWidget(findChild<QWidget*>(name), row, 1);
        ++row;
    }
    layout->addLayout(grid);
    layout->addLayout(buttonRow({"cmdOk", "cmdExit"}));
    bindForm(EnterKey::DefaultButton);
}

PriceSourceDialog::PriceSourceDialog(PriceSourceForm& form, QWidget* parent)
    : FormDialog(form, parent) {
    setObjectName("wndDspj");
    QVBoxLayout* layout = fixedLayout(this);
    layout->addWidget(fieldWidget("grpOption"));
    auto* row = new QHBoxLayout;
    QLineEdit* directory = edit("txtDir");
    directory->setMinimumWidth(directory->fontMetrics().horizontalAdvance(QString(28, 'x')));
    QLabel* caption = label("txtDir");
    caption->setObjectName("Label1");
    row->addWidget(caption);
    row->addWidget(directory);
    // A directory chooser beside the field; the choice is typed into it, relative to the data
    // directory when it lies inside it, and taken when the field is left as any typing is.
    auto* browse = new QToolButton(this);
    browse->setObjectName("cmdBrowseDir");
    browse->setText("...");
    browse->setFocusPolicy(Qt::NoFocus);
    connect(browse, &QToolButton::clicked, this, [this, directory] {
        auto* chooser = new QFileDialog(this, QString::fromUtf8("选择主目录"),
                                        QDir::current().absoluteFilePath(directory->text()));
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        chooser->setFileMode(QFileDialog::Directory);
        chooser->setOption(QFileDialog::ShowDirsOnly);
        connect(chooser, &QFileDialog::fileSelected, this, [directory](const QString& chosen) {
            const QString relative = QDir::current().relativeFilePath(chosen);
            directory->setText(relative.startsWith("..") ? chosen : relative);
            directory->setFocus(Qt::OtherFocusReason);
        });
        chooser->open();
    });
    row->addWidget(browse);
    layout->addLayout(row);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::DefaultButton);
}

StockCodeDialog::StockCodeDialog(StockCodeForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndStkCode");
    QVBoxLayout* layout = fixedLayout(this);
    auto* grid = new QGridLayout;
    edit("txtCode", 8);
    edit("txtTitle", 12);
    grid->addWidget(label("txtCode"), 0, 0);
    grid->addWidget(findChild<QWidget*>("txtCode"), 0, 1);
    grid->addWidget(label("txtTitle"), 1, 0);
    grid->addWidget(findChild<QWidget*>("txtTitle"), 1, 1);
    layout->addLayout(grid);
    layout->addLayout(buttonRow({"cmdOk", "cmdCancel"}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
