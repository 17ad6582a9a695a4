// 文件 → 导入交割单 on the offscreen platform: the file chooser's statement is shown in the
// preview dialog, every row with what becomes of it and coloured by it, with the counts; 导入
// records the new rows and the lists show them; Cancel records nothing; a statement recorded
// already leaves 导入 disabled.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/controller.h"
#include "base/gbk.h"
#include "support/qt_find_widget.h"
#include "support/qt_main_window.h"
#include "support/recording_ui.h"
#include "support/statement_fixtures.h"

namespace field_id = tallivan::field_id;
using tallivan::Answer;
using tallivan::MessageButtons;
using tallivan::MessageIcon;
using tallivan::testing::findWidget;

namespace {

// The desktop Ui with real dialogs and progress; the file chooser returns the test's file and
// message boxes are recorded.
class ImportQtUi : public tallivan::gui::QtUi {
  public:
    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        return Answer::Ok;
    }
    std::optional<std::string> chooseFileToOpen(const std::string&, const std::string&) override {
        return file;
    }
    void showProgress(const std::string& caption, std::size_t done, std::size_t total) override {
        progress.emplace_back(done, total);
        QtUi::showProgress(caption, done, total);
    }
    std::string file;
    std::vector<tallivan::testing::ShownMessage> messages;
    std::vector<std::pair<std::size_t, std::size_t>> progress;
};

}  // namespace

class ImportDialogTest : public tallivan::testing::MainWindowTest<ImportQtUi> {
    Q_OBJECT

  private:
    int rowsOf(const char* list) { return find<QTableView>(list)->model()->rowCount(); }

    // Opens the dialog from the menu and runs `act` on it.
    void importWith(std::function<void(QDialog*)> act) {
        onDialog(std::move(act));
        window_->action("mnuImport")->trigger();
        QVERIFY(!QApplication::activeModalWidget());
    }

  private Q_SLOTS:
    void init() {
        makeDataDirectory();
        QVERIFY(writeAccount(1, "one", {}));
        dir_->write("statement.xls",
                    tallivan::testing::tabStatement(tallivan::testing::sampleHistory()));
        ui_.file = dir_->file("statement.xls");
        ui_.messages.clear();
        ui_.progress.clear();
        QVERIFY(showMainWindow());
    }

    void cleanup() { closeMainWindow(); }

    void thePreviewShowsEveryRowAndImportRecordsTheNewOnes() {
        QVERIFY(window_->action("mnuImport")->isEnabled());
        QCOMPARE(window_->action("mnuImport")->text(), QString("导入交割单(&I)..."));
        struct {
            QString name, title, counts, header, firstStatus, firstCommand, repoNote;
            int rows = 0, columns = 0;
            QColor newColour, skippedColour, unknownColour;
            bool importEnabled = false;
        } seen;
        importWith([&](QDialog* dialog) {
            seen.name = dialog->objectName();
            seen.title = dialog->windowTitle();
            seen.counts = findWidget<QLabel>(dialog, field_id::kCountsLabel)->text();
            auto* table = findWidget<QTableView>(dialog, "tblRows");
            const QAbstractItemModel* model = table->model();
            seen.rows = model->rowCount();
            seen.columns = model->columnCount();
            seen.header = model->headerData(4, Qt::Horizontal).toString();
            seen.firstStatus = model->index(0, 1).data().toString();
            seen.firstCommand = model->index(0, 2).data().toString();
            seen.repoNote = model->index(9, 3).data().toString();
            seen.newColour = model->index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color();
            seen.skippedColour =
                model->index(9, 1).data(Qt::ForegroundRole).value<QBrush>().color();
            seen.unknownColour =
                model->index(12, 1).data(Qt::ForegroundRole).value<QBrush>().color();
            auto* import = findWidget<QPushButton>(dialog, field_id::kImport);
            seen.importEnabled = import->isEnabled();
            QTest::mouseClick(import, Qt::LeftButton);
        });
        QCOMPARE(seen.name, QString("wndImport"));
        QCOMPARE(seen.title, QString("导入交割单"));
        QCOMPARE(seen.counts, QString("新增 11, 已有 0, 跳过 2, 未知 1, 无效 0"));
        QCOMPARE(seen.rows, 14);
        QCOMPARE(seen.columns, 4 + 25);  // line, status, command, note, the statement's columns
        QCOMPARE(seen.header, QString("交收日期"));
        QCOMPARE(seen.firstStatus, QString("新增"));
        QCOMPARE(seen.firstCommand, QString("存入"));
        QCOMPARE(seen.repoNote, QString("逆回购"));
        QVERIFY(seen.newColour != seen.skippedColour);
        QVERIFY(seen.unknownColour != seen.skippedColour);
        QVERIFY(seen.importEnabled);

        QVERIFY(ui_.messages.empty());
        QCOMPARE(ui_.progress.back(), (std::pair<std::size_t, std::size_t>{11, 11}));
        QCOMPARE(rowsOf("lsvRec"), 8);
        QCOMPARE(rowsOf("lsvFund"), 3);
        QCOMPARE(rowsOf("lsvBuy"), 4);  // the summary row, 600000, 000001, 603999
    }

    void cancelRecordsNothingAndAStatementRecordedAlreadyCannotBeImported() {
        importWith([](QDialog* dialog) {
            QTest::mouseClick(findWidget<QPushButton>(dialog, field_id::kCancel), Qt::LeftButton);
        });
        QCOMPARE(rowsOf("lsvRec"), 0);
        importWith([](QDialog* dialog) {
            QTest::mouseClick(findWidget<QPushButton>(dialog, field_id::kImport), Qt::LeftButton);
        });
        QCOMPARE(rowsOf("lsvRec"), 8);
        bool importEnabled = true;
        QString counts;
        importWith([&](QDialog* dialog) {
            importEnabled = findWidget<QPushButton>(dialog, field_id::kImport)->isEnabled();
            counts = findWidget<QLabel>(dialog, field_id::kCountsLabel)->text();
            dialog->reject();
        });
        QVERIFY(!importEnabled);
        QCOMPARE(counts, QString("新增 0, 已有 11, 跳过 2, 未知 1, 无效 0"));
        QCOMPARE(rowsOf("lsvRec"), 8);
    }
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"
