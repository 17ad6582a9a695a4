#include "import_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/import_form.h"
#include "import_preview_model.h"

namespace tallivan::gui {

ImportDialog::ImportDialog(ImportForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("wndImport");
    // A statement is wide and long: this dialog may be resized.
    setSizeGripEnabled(true);
    resize(900, 560);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fieldWidget(field_id::kFileLabel));

    auto* table = new QTableView(this);
    table->setObjectName("tblRows");
    table->setModel(new ImportPreviewModel(form.preview(), table));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setHighlightSections(false);
    table->setColumnWidth(ImportPreviewModel::kLineColumn, 48);
    table->setColumnWidth(ImportPreviewModel::kStatusColumn, 48);
    table->setColumnWidth(ImportPreviewModel::kCommandColumn, 48);
    table->setColumnWidth(ImportPreviewModel::kNoteColumn, 220);
    layout->addWidget(table, 1);

    layout->addWidget(fieldWidget(field_id::kCountsLabel));
    layout->addWidget(fieldWidget(field_id::kCashLabel));
    layout->addLayout(buttonRow({field_id::kImport, field_id::kCancel}));
    bindForm(EnterKey::NextControl);
}

}  // namespace tallivan::gui
