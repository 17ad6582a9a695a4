// The page 分析 on the offscreen platform: its tables, returns and charts show the analysis of
// the node selected in the tree and follow the selection; a chart saves as a PNG image; the
// export menu writes CSV files into the directory chosen with 导出到.
#include <QAbstractItemModel>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPieSeries>
#include <QPieSlice>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "analysis_page.h"
#include "app/controller.h"
#include "base/gbk.h"
#include "qt_text.h"
#include "support/analysis_history.h"
#include "support/qt_find_widget.h"
#include "support/qt_main_window.h"
#include "support/recording_ui.h"
#include "support/sample_records.h"
#include "support/yes_qt_ui.h"

using tallivan::gbk;
using tallivan::LedgerRecord;
using tallivan::testing::findWidget;
namespace t = tallivan::testing;

namespace {

// The texts of a table view, row by row.
std::vector<QStringList> tableTexts(QTableView* view) {
    std::vector<QStringList> rows;
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->index(r, c).data().toString();
        rows.push_back(row);
    }
    return rows;
}

QList<qreal> barValues(QBarSet* set) {
    QList<qreal> values;
    for (int i = 0; i < set->count(); ++i)
        values << set->at(i);
    return values;
}

}  // namespace

class AnalysisPageTest : public t::MainWindowTest<t::YesQtUi> {
    Q_OBJECT

  private:
    tallivan::gui::AnalysisPage* page() {
        return findWidget<tallivan::gui::AnalysisPage>(window_.get(), "tabFx");
    }
    QChart* chart(const char* name) { return findWidget<QChartView>(page(), name)->chart(); }
    void showPage() {
        auto* pages = findWidget<QTabWidget>(window_.get(), "PageControl1");
        QCOMPARE(pages->tabText(3), QString("分析(&X)"));
        pages->setCurrentWidget(page());
        QVERIFY(page()->isVisible());
    }

  private Q_SLOTS:
    void init() {
        makeDataDirectory();
        ui_.messages.clear();
        clock_.setToday(t::kAnalysisToday);
        QVERIFY(writeAccount(1, "one", t::analysisHistory()));
        // A second account: a deposit and a sale at a loss in 2024.
        QVERIFY(writeAccount(
            2, "two",
            {LedgerRecord::of(t::dated(t::fund(tallivan::kDeposit, "", 20000000, ""), 2024, 2, 1)),
             LedgerRecord::of(
                 t::dated(t::trade(tallivan::kBuy, "0002", 100, 30000, 5000), 2024, 2, 1)),
             LedgerRecord::of(t::dated(t::trade(tallivan::kSell, "0002", 100, 25000, 5000, 3005000),
                                       2024, 8, 1))}));
        QVERIFY(showMainWindow());
    }

    void cleanup() { closeMainWindow(); }

    void thePageShowsTheSelectedAccount() {
        showPage();
        QCOMPARE(tableTexts(findWidget<QTableView>(page(), "tblYears")),
                 (std::vector<QStringList>{
                     {"2024", "0.00", "420.00", "45.00", "100000.00", "-3000.00"},
                     {"2025", "1978.00", "100.00", "17.00", "5000.00", "0.00"},
                     {"合计", "1978.00", "520.00", "62.00", "105000.00", "-3000.00"}}));
        QCOMPARE(findWidget<QLabel>(page(), "lblMoneyWeighted")->text(), QString("6.74%"));
        QCOMPARE(findWidget<QLabel>(page(), "lblSimple")->text(), QString("8.30%"));
        QCOMPARE(tableTexts(findWidget<QTableView>(page(), "tblDividendTax")),
                 (std::vector<QStringList>{{"600001", "600001", "1000", "17.00"},
                                           {"合计", "", "", "17.00"}}));

        // Realised profit and dividends per year.
        auto* bars = qobject_cast<QBarSeries*>(chart("chtYears")->series().value(0));
        QVERIFY(bars);
        QCOMPARE(bars->count(), 2);
        QCOMPARE(bars->barSets()[0]->label(), QString("已实现盈亏"));
        QCOMPARE(barValues(bars->barSets()[0]), (QList<qreal>{0, 1978}));
        QCOMPARE(barValues(bars->barSets()[1]), (QList<qreal>{420, 100}));
        QCOMPARE(bars->barSets()[0]->color(), QColor(255, 0, 0));
        auto* years = qobject_cast<QBarCategoryAxis*>(chart("chtYears")->axes(Qt::Horizontal)[0]);
        QCOMPARE(years->categories(), (QStringList{"2024", "2025"}));

        // The one holding at its net market value (1000 x 10.00 less 81.00 of fees).
        auto* pie = qobject_cast<QPieSeries*>(chart("chtHoldings")->series().value(0));
        QVERIFY(pie);
        QCOMPARE(pie->count(), 1);
        QCOMPARE(pie->slices()[0]->value(), 9919.0);
        QVERIFY(pie->slices()[0]->label().startsWith("600001"));

        // Month by month from January 2024 to March 2025; no day files, so no market value.
        const QList<QAbstractSeries*> lines = chart("chtMonths")->series();
        QCOMPARE(lines.size(), 3);
        auto* invested = qobject_cast<QLineSeries*>(lines[0]);
        QCOMPARE(invested->name(), QString("投入资金"));
        QCOMPARE(invested->count(), 15);
        QCOMPARE(invested->at(0).y(), 100000.0);
        QCOMPARE(invested->at(14).y(), 102000.0);
        auto* cash = qobject_cast<QLineSeries*>(lines[2]);
        QCOMPARE(cash->at(14).y(), 100545.5);
    }

    void thePageFollowsTheSelection() {
        showPage();
        clickNode(account(1));
        QCOMPARE(controller_->selectedNode(), std::optional<int>(2));
        QCOMPARE(
            tableTexts(findWidget<QTableView>(page(), "tblYears")),
            (std::vector<QStringList>{{"2024", "-510.00", "0.00", "10.00", "20000.00", "0.00"},
                                      {"合计", "-510.00", "0.00", "10.00", "20000.00", "0.00"}}));
        auto* bars = qobject_cast<QBarSeries*>(chart("chtYears")->series().value(0));
        QCOMPARE(barValues(bars->barSets()[0]), (QList<qreal>{-510}));
        // A loss is drawn in the lists' loss colour.
        QVERIFY(bars->barSets()[0]->isBarSelected(0));
        QCOMPARE(bars->barSets()[0]->selectedColor(), QColor(0, 128, 0));
        auto* pie = qobject_cast<QPieSeries*>(chart("chtHoldings")->series().value(0));
        QCOMPARE(pie->count(), 0);

        // The group: both accounts.
        clickNode(group());
        QCOMPARE(tableTexts(findWidget<QTableView>(page(), "tblYears")).back(),
                 (QStringList{"合计", "1468.00", "520.00", "72.00", "125000.00", "-3000.00"}));
    }

    void aChartSavesAsAPngImage() {
        showPage();
        const QString path = QString::fromStdString(dir_->path()) + "/图表.png";
        QVERIFY(page()->saveChart(0, path));
        const std::string png = dir_->read("图表.png");
        QVERIFY(png.size() > 100);
        QCOMPARE(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
        // A place that cannot take a file fails without leaving one.
        QVERIFY(!page()->saveChart(1, QString::fromStdString(dir_->path()) + "/nowhere/x.png"));
    }

    void theExportMenuWritesCsvIntoTheChosenDirectory() {
        QAction* csv = window_->action("mnuExportCsv");
        QAction* location = window_->action("mnuExportDir");
        QVERIFY(csv && location);
        // One submenu 导出数据 holds the three entries.
        QMenu* exports = findWidget<QMenu>(window_.get(), "mnuExport");
        QCOMPARE(exports->actions(),
                 (QList<QAction*>{window_->action("mnuExportTxt"), csv, location}));

        csv->trigger();
        QCOMPARE(ui_.messages.size(), size_t(2));
        QCOMPARE(ui_.messages[0].text, gbk("是否输出数据到CSV文件?"));
        QVERIFY(dir_->exists("zrdata/年度_one.csv"));

        std::filesystem::create_directory(dir_->path() + "/out");
        const QString out = QString::fromStdString(dir_->path()) + "/out";
        onDialog([out](QDialog* dialog) {
            QVERIFY(qobject_cast<QFileDialog*>(dialog));
            auto* name = findWidget<QLineEdit>(dialog, "fileNameEdit");
            name->setText(out);
            QTest::keyClick(name, Qt::Key_Return);
        });
        location->trigger();
        QCOMPARE(controller_->exportDirectory(), tallivan::gui::fromQt(out));
        csv->trigger();
        QVERIFY(dir_->exists("out/年度_one.csv"));
        QVERIFY(dir_->exists("out/资金_one.csv"));
    }
};

QTEST_MAIN(AnalysisPageTest)
#include "analysis_page_test.moc"
