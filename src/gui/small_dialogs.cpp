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
#include "forms/seal_form.h"
#include "forms/stock_code_form.h"
#include "qt_text.h"

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
    QLineEdit* dirs = edit(field_id::kDirectory);
    dirs->setMinimumWidth(dirs->fontMetrics().horizontalAdvance(QString(40, 'x')));
    layout->addWidget(label(field_id::kDirectory));
    layout->addWidget(dirs);
    layout->addWidget(fieldWidget(field_id::kWantPassword));
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::DefaultButton);
}

InputDialog::InputDialog(InputForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndInput");
    QVBoxLayout* layout = fixedLayout(this);
    QLineEdit* text = edit(field_id::kText);
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QString(24, 'x')));
    QLabel* caption = label(field_id::kText);
    caption->setObjectName("lblLabel");
    layout->addWidget(caption);
    layout->addWidget(text);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::DefaultButton);
}

EditPasswordDialog::EditPasswordDialog(EditPasswordForm& form, QWidget* parent)
    : FormDialog(form, parent) {
    setObjectName("wndEditPwd");
    QVBoxLayout* layout = fixedLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const char* name :
         {field_id::kOldPassword, field_id::kNewPassword, field_id::kNewPasswordAgain}) {
        edit(name, 12);
        grid->addWidget(label(name), row, 0);
        grid->addWidget(findChild<QWidget*>(name), row, 1);
        ++row;
    }
    layout->addLayout(grid);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kExit}));
    bindForm(EnterKey::DefaultButton);
}

SealDialog::SealDialog(SealForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndSeal");
    QVBoxLayout* layout = fixedLayout(this);
    auto* promise = new QLabel(toQt(SealForm::promise()), this);
    promise->setObjectName("lblPromise");
    promise->setWordWrap(true);
    promise->setMaximumWidth(promise->fontMetrics().horizontalAdvance(QString(40, 'x')));
    layout->addWidget(promise);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const char* name : {field_id::kPassphrase, field_id::kPassphraseAgain}) {
        edit(name, 24);
        grid->addWidget(label(name), row, 0);
        grid->addWidget(findChild<QWidget*>(name), row, 1);
        ++row;
    }
    layout->addLayout(grid);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kExit}));
    bindForm(EnterKey::DefaultButton);
}

PriceSourceDialog::PriceSourceDialog(PriceSourceForm& form, QWidget* parent)
    : FormDialog(form, parent) {
    setObjectName("wndDspj");
    QVBoxLayout* layout = fixedLayout(this);
    layout->addWidget(fieldWidget(field_id::kOptionGroup));
    auto* row = new QHBoxLayout;
    QLineEdit* directory = edit(field_id::kDirectory);
    directory->setMinimumWidth(directory->fontMetrics().horizontalAdvance(QString(28, 'x')));
    QLabel* caption = label(field_id::kDirectory);
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
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::DefaultButton);
}

StockCodeDialog::StockCodeDialog(StockCodeForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndStkCode");
    QVBoxLayout* layout = fixedLayout(this);
    auto* grid = new QGridLayout;
    edit(field_id::kCode, 8);
    edit(field_id::kTitle, 12);
    grid->addWidget(label(field_id::kCode), 0, 0);
    grid->addWidget(findChild<QWidget*>(field_id::kCode), 0, 1);
    grid->addWidget(label(field_id::kTitle), 1, 0);
    grid->addWidget(findChild<QWidget*>(field_id::kTitle), 1, 1);
    layout->addLayout(grid);
    layout->addLayout(buttonRow({field_id::kOk, field_id::kCancel}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
