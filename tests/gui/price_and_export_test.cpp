// 更新现价 and 导出数据 from the main window on the offscreen platform: the tool button opens the
// price dialog with its three sources, choosing one shows its directory, OK prices the held
// stock; the export menu entry writes the files.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "app/controller.h"
#include "base/gbk.h"
#include "core/market_test_support.h"
#include "storage/account_file.h"
#include "storage/settings.h"
#include "support/qt_find_widget.h"
#include "support/qt_main_window.h"
#include "support/recording_ui.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"
#include "support/yes_qt_ui.h"

namespace field_id = tallivan::field_id;
using tallivan::gbk;
using tallivan::testing::findWidget;

class PriceAndExportTest : public tallivan::testing::MainWindowTest<tallivan::testing::YesQtUi> {
    Q_OBJECT

  private:
    QString heldPrice() {
        auto* view = findWidget<QTableView>(window_.get(), "lsvBuy");
        return view->model()->index(1, tallivan::held_column::kCurrentPrice).data().toString();
    }

  private Q_SLOTS:
    void init() {
        makeDataDirectory();
        ui_.messages.clear();
        tallivan::Settings settings = tallivan::defaultSettings();
        tallivan::copyToField(settings.priceSourceDirs[2], tallivan::kPriceSourceDirSize, "stored");
        QCOMPARE(tallivan::saveSettings(*files_, settings), 0);
        QVERIFY(writeAccount(1, "one", tallivan::testing::sampleLedger()));
        tallivan::testing::writeFileAt(dir_->path(), "cz/20261210.txt", "600001,a,12.34\r\n");
        QVERIFY(showMainWindow());
    }

    void cleanup() { closeMainWindow(); }

    void theToolButtonUpdatesThePricesThroughTheDialog() {
        QCOMPARE(heldPrice(), QString("10.50"));
        struct {
            QString caption, view;
            QStringList sources;
            QString directoryShown, directoryChosen;
        } seen;
        const QString workingDirectory = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(dir_->path())));
        const auto back = qScopeGuard([&] { QDir::setCurrent(workingDirectory); });
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !QTest::qWaitForWindowActive(dialog))
                return;
            seen.caption = dialog->windowTitle();
            seen.view = dialog->objectName();
            for (int i = 0; i < 4; ++i) {
                const QString name = QString("grpOption_%1").arg(i);
                seen.sources << findWidget<QRadioButton>(dialog, qPrintable(name))->text();
            }
            auto* third = findWidget<QRadioButton>(dialog, "grpOption_2");
            QTest::mouseClick(third, Qt::LeftButton, Qt::NoModifier,
                              QPoint(6, third->height() / 2));
            auto* directory = findWidget<QLineEdit>(dialog, field_id::kDirectory);
            seen.directoryShown = directory->text();
            // The directory chosen in the chooser beside the field, inside the data directory.
            QTest::mouseClick(findWidget<QToolButton>(dialog, "cmdBrowseDir"), Qt::LeftButton);
            auto* chooser = dialog->findChild<QFileDialog*>();
            if (!chooser)
                return;
            chooser->selectFile(QString::fromStdString(dir_->file("cz")));
            QMetaObject::invokeMethod(chooser, "accept");
            seen.directoryChosen = directory->text();
            QTest::mouseClick(findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        QTimer::singleShot(10000, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        auto* toolButton = findWidget<QToolButton>(window_.get(), "cmdReadSpj");
        QCOMPARE(toolButton->defaultAction(), window_->action("cmdReadSpj"));
        toolButton->defaultAction()->trigger();

        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(seen.caption, QString("更新现价"));
        QCOMPARE(seen.view, QString("wndDspj"));
        QCOMPARE(seen.sources.size(), 4);
        QCOMPARE(seen.sources[0], QString("钱龙日线(*.day)"));
        QCOMPARE(seen.sources[2], QString("财智收盘价(*.txt)"));
        QCOMPARE(seen.sources[3], QString("通达信日线(vipdoc)"));
        QCOMPARE(seen.directoryShown, QString("stored"));
        QCOMPARE(seen.directoryChosen, QString("cz"));
        // The update says what it did.
        QCOMPARE(ui_.messages.size(), size_t(1));
        QCOMPARE(ui_.messages[0].caption, gbk("提示"));
        QCOMPARE(heldPrice(), QString("12.34"));
        QCOMPARE(int(controller_->settings().priceSource), 2);
    }

    void theExportEntryWritesTheFiles() {
        window_->action("mnuExportTxt")->trigger();
        QCOMPARE(ui_.messages.size(), size_t(2));
        QCOMPARE(ui_.messages[0].text, gbk("是否输出数据到文本文件?"));
        QCOMPARE(ui_.messages[1].text, gbk("文件已输出到 “zrdata/” 目录下!"));
        QVERIFY(dir_->exists("zrdata/持有_one.txt"));
        QVERIFY(dir_->exists("zrdata/资金_one.txt"));
    }
};

QTEST_MAIN(PriceAndExportTest)
#include "price_and_export_test.moc"
