// The desktop program in daily use, on the offscreen platform: readable columns in any font,
// lists that open on their newest entry, a first start that works, the budget panel by
// keyboard, ordering and filtering the lists, and a layout remembered between two starts.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "app/controller.h"
#include "ledger_view.h"
#include "main_window.h"
#include "qt_ui.h"
#include "support/qt_main_window.h"
#include "support/qt_typing.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace field_id = tallivan::field_id;
using tallivan::Controller;
using tallivan::gbk;
using tallivan::LedgerRecord;
namespace t = tallivan::testing;

namespace {

const QString kHint = "F7 添加帐户 → F8 存入资金 → F11 买入股票";

// Real dialogs; message boxes are only recorded, so an unexpected one cannot stall a test.
class QuietUi : public tallivan::gui::QtUi {
  public:
    tallivan::Answer message(const std::string& text, const std::string&, tallivan::MessageIcon,
                             tallivan::MessageButtons) override {
        messages.push_back(text);
        return tallivan::Answer::Ok;
    }
    std::vector<std::string> messages;
};

// A large account: positions of four-figure prices and six-figure losses, and 300 trades
// stored oldest first.
std::vector<LedgerRecord> largeLedger() {
    std::vector<LedgerRecord> slots;
    slots.push_back(LedgerRecord::of(
        t::dated(t::fund(tallivan::kDeposit, gbk("存入"), 2000000000, gbk("工资")), 2020, 1, 2)));
    tallivan::StockRecord dear = t::stock(tallivan::kHeldState, "600519", 1000, 1555891120000);
    dear.price = 1500000;
    dear.stopLossPrice = 1400000;
    dear.takeProfitPrice = 1800000;
    slots.push_back(LedgerRecord::of(dear));
    slots.push_back(LedgerRecord::of(t::note(tallivan::kHeldState, gbk("白酒龙头长期持有"))));
    slots.push_back(LedgerRecord::of(
        t::dated(t::stock(tallivan::kHeldState, "600001", 100, 1000000), 2024, 5, 6)));
    for (int i = 0; i < 300; ++i) {
        const auto year = static_cast<std::uint16_t>(2001 + i / 12);
        const auto month = static_cast<std::uint8_t>(1 + i % 12);
        slots.push_back(LedgerRecord::of(
            t::dated(t::trade(tallivan::kBuy, i % 2 ? "600519" : "600001", 100, 1500000 + i, 5000),
                     year, month, 15)));
    }
    return slots;
}

}  // namespace

class DailyUseTest : public t::MainWindowTest<QuietUi> {
    Q_OBJECT

  private:
    tallivan::gui::LedgerView* view(const char* list) {
        return find<tallivan::gui::LedgerView>(list);
    }
    QString cell(const char* list, int row, int column) {
        return view(list)->model()->index(row, column).data().toString();
    }
    QStringList column(const char* list, int c) {
        QStringList texts;
        for (int r = 0; r < view(list)->model()->rowCount(); ++r)
            texts << cell(list, r, c);
        return texts;
    }
    void showPage(int page) { find<QTabWidget>("PageControl1")->setCurrentIndex(page); }

  private Q_SLOTS:
    void init() {
        makeDataDirectory();
        QVERIFY(writeAccount(1, "large", largeLedger()));
        QVERIFY(writeAccount(2, "sample", t::sampleLedger()));
    }

    void cleanup() { closeMainWindow(); }

    void everyTextFitsItsColumnInALargeFont() {
        const QFont usual = QApplication::font();
        const auto restore = qScopeGuard([this, usual] {
            closeMainWindow();
            QApplication::setFont(usual);
        });
        QFont large = usual;
        large.setPointSize(20);
        QApplication::setFont(large);
        QVERIFY(showMainWindow());
        for (const char* list : {"lsvBuy", "lsvSell", "lsvRec", "lsvFund"}) {
            tallivan::gui::LedgerView* v = view(list);
            const QFontMetrics metrics = v->fontMetrics();
            const int margin =
                v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
            for (int c = 1; c < v->model()->columnCount(); ++c) {
                if (v->isColumnHidden(c))
                    continue;
                const int width = v->columnWidth(c);
                QVERIFY2(width >= v->horizontalHeader()->sectionSizeHint(c),
                         qPrintable(QString("%1 header %2").arg(list).arg(c)));
                for (int r = 0; r < v->model()->rowCount(); ++r) {
                    const QString text = cell(list, r, c);
                    // Shown whole: nothing elided between the cell's margins.
                    QVERIFY2(
                        metrics.elidedText(text, Qt::ElideRight, width - 2 * margin - 1) == text,
                        qPrintable(
                            QString("%1 row %2 column %3: %4").arg(list).arg(r).arg(c).arg(text)));
                }
            }
        }
        // The price of 1 500 yuan and the large loss of the summary row.
        QCOMPARE(cell("lsvBuy", 2, 6), QString("1500.00"));
        QVERIFY(cell("lsvBuy", 0, 8).startsWith("-"));
    }

    void theLastColumnTakesTheRoomLeftAndNoScrollBarIsNeeded() {
        QVERIFY(showMainWindow());
        window_->resize(1280, 800);
        clickNode(account(1));  // an everyday account
        const struct {
            const char* list;
            int page;
        } lists[] = {{"lsvBuy", 0}, {"lsvSell", 0}, {"lsvRec", 1}, {"lsvFund", 2}};
        for (const auto& [list, page] : lists) {
            showPage(page);
            tallivan::gui::LedgerView* v = view(list);
            QTRY_COMPARE(v->horizontalHeader()->length(), v->viewport()->width());
            QVERIFY(v->horizontalScrollBar()->maximum() == 0);
        }
    }

    void transactionsAndMovementsOpenOnTheirNewestEntry() {
        QVERIFY(showMainWindow());
        showPage(1);
        tallivan::gui::LedgerView* trades = view("lsvRec");
        QCOMPARE(cell("lsvRec", 0, 1), QString("25-12-15"));
        QCOMPARE(trades->selectionModel()->selectedRows().value(0).row(), 0);
        QVERIFY(
            trades->viewport()->rect().contains(trades->visualRect(trades->model()->index(0, 1))));
        // Scrolled down, then another account and back: the newest entry is in view again.
        trades->scrollToBottom();
        clickNode(account(1));
        clickNode(account(0));
        QCOMPARE(trades->verticalScrollBar()->value(), 0);
        QCOMPARE(trades->selectionModel()->selectedRows().value(0).row(), 0);
    }

    void aFirstStartMakesTheGroupAndSaysWhatToDoFirst() {
        makeDataDirectory();  // empty: no settings, no search directory
        QVERIFY(showMainWindow(Controller::FirstRun::Prepare));
        QVERIFY(dir_->exists("zrdata"));
        QCOMPARE(tree()->currentIndex(), group());
        for (const char* list : {"lsvBuy", "lsvSell", "lsvRec", "lsvFund"})
            QCOMPARE(view(list)->hint(), kHint);
        onDialog([](QDialog* dialog) {
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        QTest::keySequence(window_.get(), QKeySequence("F7"));
        QVERIFY(ui_.messages.empty());
        QVERIFY(dir_->exists("zrdata/zr_00001.acc"));
        QCOMPARE(tree()->currentIndex(), account(0));
        QCOMPARE(view("lsvFund")->hint(), kHint);  // still empty
        // The keyboard is the main window's again once the dialog is gone: F8 works at once.
        QTRY_COMPARE(QApplication::activeWindow(), window_.get());

        // The first deposit: the hint goes.
        onDialog([](QDialog* dialog) {
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kAmount), "1000");
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        QTest::keySequence(window_.get(), QKeySequence("F8"));
        QCOMPARE(view("lsvFund")->model()->rowCount(), 1);
        QCOMPARE(view("lsvFund")->hint(), QString());
    }

    void enterMovesThroughTheBudgetPanelAndComputes() {
        QVERIFY(showMainWindow());
        auto* shares = find<QLineEdit>(field_id::kShares);
        shares->setFocus(Qt::MouseFocusReason);
        shares->selectAll();
        QTest::keyClicks(shares, "1000");
        QTest::keyClick(shares, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), find<QLineEdit>(field_id::kBuyPrice));
        QTest::keyClicks(QApplication::focusWidget(), "10");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), find<QLineEdit>(field_id::kSellPrice));
        QTest::keyClicks(QApplication::focusWidget(), "10.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shares->text(), QString("1000"));
        QCOMPARE(find<QLineEdit>(field_id::kBuyPrice)->text(), QString("10"));
        QCOMPARE(find<QLineEdit>(field_id::kProfit)->text(), QString("334.25"));
        QCOMPARE(find<QLineEdit>(field_id::kNetProfitRatio)->text(), QString("  3.32%"));
        for (const char* name :
             {field_id::kShares, field_id::kBuyFee, field_id::kProfit, field_id::kNetProfitRatio})
            QVERIFY(find<QLineEdit>(name)->alignment() & Qt::AlignRight);

        // At 800 x 600 the results take a line of their own and no field is squeezed.
        window_->showNormal();
        window_->resize(800, 600);
        QTRY_COMPARE(window_->width(), 800);
        QTRY_VERIFY(find<QWidget>("panGpys")->findChild<QLineEdit*>(field_id::kBuyFee)->y() >
                    find<QLineEdit>(field_id::kShares)->y());
        for (QLineEdit* edit : find<QWidget>("panGpys")->findChildren<QLineEdit*>())
            QVERIFY(edit->width() >= edit->minimumWidth());
    }

    void aHeaderClickOrdersAListAndTheSummaryRowStaysFirst() {
        QVERIFY(showMainWindow());
        tallivan::gui::LedgerView* held = view("lsvBuy");
        clickRow("lsvBuy", 2);  // 600519, stored before 600001
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Holdings), 2);
        const auto clickHeader = [held](int c) {
            QHeaderView* header = held->horizontalHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
        };
        clickHeader(6);  // 现价: 10.50 below 1500.00
        QCOMPARE(column("lsvBuy", 1), QStringList({"统计", "600001", "600519"}));
        clickHeader(6);
        QCOMPARE(column("lsvBuy", 1), QStringList({"统计", "600519", "600001"}));
        // The selection stays on its stock, and the controller's row is still the ledger's.
        QCOMPARE(held->selectionModel()->selectedRows().value(0).row(), 1);
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Holdings), 2);
        // Transactions by amount, then the ledger's order back from the menu.
        showPage(1);
        view("lsvRec")->sortByColumn(6, Qt::AscendingOrder);
        QCOMPARE(cell("lsvRec", 0, 6), QString("1500.00"));
        window_->action("mnuOriginalOrder")->trigger();
        QCOMPARE(column("lsvBuy", 1), QStringList({"统计", "600001", "600519"}));
        QCOMPARE(cell("lsvRec", 0, 1), QString("25-12-15"));
        // Opening another ledger shows it in its own order too.
        held->sortByColumn(1, Qt::DescendingOrder);
        clickNode(account(1));
        QCOMPARE(held->horizontalHeader()->sortIndicatorSection(), -1);
    }

    void theFilterNarrowsTheFourListsAtOnce() {
        QVERIFY(showMainWindow());
        t::typeText(find<QLineEdit>("txtFilter"), "519");
        QCOMPARE(column("lsvBuy", 1), QStringList({"统计", "600519"}));
        QCOMPARE(column("lsvSell", 1), QStringList({"统计"}));
        QCOMPARE(view("lsvRec")->model()->rowCount(), 150);
        QCOMPARE(view("lsvFund")->model()->rowCount(), 0);
        // A memo matches too, and a date range narrows transactions and movements.
        auto* text = find<QLineEdit>("txtFilter");
        text->clear();
        t::typeText(text, "工资");
        QCOMPARE(view("lsvFund")->model()->rowCount(), 1);
        text->clear();
        find<QAbstractButton>("chkFilterDates")->click();  // the year up to 2026-12-10
        QCOMPARE(column("lsvRec", 1), QStringList({"25-12-15"}));
        QCOMPARE(view("lsvBuy")->model()->rowCount(), 3);  // positions have no range
        find<QDateTimeEdit>("dtpFrom")->setDate(QDate(2025, 1, 1));
        QCOMPARE(view("lsvRec")->model()->rowCount(), 12);
        showPage(1);
        clickRow("lsvRec", 0);
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Trades), 0);
        // The selected transaction (the newest, of 600519) hidden: nothing is selected, and a
        // row clicked is reported as the ledger's row.
        t::typeText(text, "600001");
        QCOMPARE(column("lsvRec", 2), QStringList(6, "600001"));
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Trades), std::nullopt);
        clickRow("lsvRec", 0);
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Trades), 1);
    }

    void clickingTheSelectedHoldingMarksItsTransactionsAgain() {
        QVERIFY(showMainWindow());
        clickNode(account(1));
        clickRow("lsvBuy", 1);
        const auto red = [this] {
            return view("lsvRec")
                       ->model()
                       ->index(0, 1)
                       .data(Qt::ForegroundRole)
                       .value<QBrush>()
                       .color() == QColor(255, 0, 0);
        };
        QVERIFY(red());
        clickRow("lsvSell", 0);  // the summary row of the sold list clears the mark
        QVERIFY(!red());
        clickRow("lsvBuy", 1);
        QVERIFY(red());
    }

    void theLayoutIsRememberedBetweenTwoStarts() {
        const t::TempDir place;
        QSettings memory(QString::fromStdString(place.file("tallivan.ini")), QSettings::IniFormat);
        QVERIFY(showMainWindow(Controller::FirstRun::LeaveAlone, &memory));
        QVERIFY(window_->isMaximized());  // the first time
        window_->showNormal();
        window_->setGeometry(40, 30, 900, 640);
        QTRY_COMPARE(window_->width(), 900);
        find<QSplitter>("Splitter1")->setSizes({300, 600});
        find<QSplitter>("Splitter2")->setSizes({150, 300});
        view("lsvRec")->horizontalHeader()->resizeSection(2, 140);
        const QList<int> stockSizes = find<QSplitter>("Splitter2")->sizes();
        window_->close();
        closeMainWindow();

        QVERIFY(showMainWindow(Controller::FirstRun::LeaveAlone, &memory));
        QVERIFY(!window_->isMaximized());
        QCOMPARE(window_->size(), QSize(900, 640));
        QCOMPARE(find<QSplitter>("Splitter1")->sizes().value(0), 300);
        QCOMPARE(find<QSplitter>("Splitter2")->sizes(), stockSizes);
        QCOMPARE(view("lsvRec")->columnWidth(2), 140);
    }

    void theStockEditDialogLinesUpItsGroups() {
        QVERIFY(showMainWindow());
        struct {
            int stockNumX = -1, nowPriceX = -2, priceX = -3, worthX = -4;
            bool rightAligned = false;
        } seen;
        onDialog([&seen](QDialog* dialog) {
            const auto x = [dialog](const char* name) {
                QWidget* w = t::findWidget<QWidget>(dialog, name);
                return w->mapTo(dialog, QPoint()).x();
            };
            seen.stockNumX = x(field_id::kShares);
            seen.nowPriceX = x(field_id::kCurrentPrice);
            seen.priceX = x(field_id::kPrice);
            seen.worthX = x(field_id::kCurrentValue);
            seen.rightAligned = true;
            for (const char* name : {field_id::kShares, field_id::kPrice, field_id::kCost,
                                     field_id::kCurrentPrice, field_id::kCurrentValue,
                                     field_id::kLoss, field_id::kLossRatio, field_id::kProfitRatio})
                seen.rightAligned &=
                    bool(t::findWidget<QLineEdit>(dialog, name)->alignment() & Qt::AlignRight);
            dialog->reject();
        });
        clickRow("lsvBuy", 1);
        QTest::keySequence(window_.get(), QKeySequence("F9"));
        QCOMPARE(seen.stockNumX, seen.nowPriceX);
        QCOMPARE(seen.priceX, seen.worthX);
        QVERIFY(seen.rightAligned);
        // The keyboard is back with the list, and the shortcuts work at once.
        QTRY_COMPARE(QApplication::activeWindow(), window_.get());
    }
};

QTEST_MAIN(DailyUseTest)
#include "daily_use_test.moc"
