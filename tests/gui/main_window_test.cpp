// The main window on the offscreen platform: its fixed layout and the budget panel driven with
// real keyboard input.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/controller.h"
#include "base/gbk.h"
#include "main_window.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

using tallivan::Controller;
using tallivan::FixedClock;
using tallivan::PosixFileSystem;
using tallivan::gui::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    tallivan::testing::TempDir dir_;
    PosixFileSystem files_{dir_.path()};
    FixedClock clock_{{2026, 12, 10}};
    tallivan::testing::RecordingUi ui_;
    std::unique_ptr<Controller> controller_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* find(const char* name) {
        T* widget = window_->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    QString text(const char* name) { return find<QLineEdit>(name)->text(); }

    // Types into an edit as a person does: focus, clear, keys, then Tab away.
    void typeInto(const char* name, const QString& keys) {
        QLineEdit* edit = find<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

  private slots:
    void init() {
        ui_.messages.clear();
        controller_ = std::make_unique<Controller>(ui_, files_, clock_);
        controller_->start();
        window_ = std::make_unique<MainWindow>(*controller_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() {
        window_.reset();
        controller_.reset();
    }

    void menusCarryTheirCaptionsAndShortcuts() {
        const struct {
            const char* name;
            const char* caption;
            const char* shortcut;
        } cases[] = {{"mnuBuyStk", "买入股票(&B)...", "F11"},
                     {"mnuEditAcc", "修改账户(&E)...", "Ctrl+F7"},
                     {"mnuStkCode", "证券名称(&T)...", "Ctrl+T"},
                     {"mnuDelRec", "撤消交易(&D)...", "Ctrl+F10"},
                     {"mnuApplyStkNo", "申购未中签(&N)...", "Ctrl+N"},
                     {"mnuReadSpj", "更新现价(&R)...", "Ctrl+R"}};
        for (const auto& c : cases) {
            QAction* a = window_->action(c.name);
            QVERIFY2(a, c.name);
            QCOMPARE(a->text(), QString::fromUtf8(c.caption));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromUtf8(c.shortcut)));
        }
        QVERIFY(!window_->action("mnuEditPwd")->isVisible());
        QCOMPARE(window_->action("mnuReadSpj")->toolTip(), QString::fromUtf8("更新现价(Ctrl+R)"));
        QCOMPARE(window_->action("mnuReadSpj")->statusTip(),
                 QString::fromUtf8("更新持有股票的现价"));
        QCOMPARE(window_->action("cmdBuyStk")->text(), QString::fromUtf8("买入股票(&B)..."));
    }

    void statusBarShowsTodayAndItsWeekday() {
        QCOMPARE(find<QLabel>("StatusPanel2")->text(), QString("2026-12-10"));
        QCOMPARE(find<QLabel>("StatusPanel3")->text(), QString::fromUtf8("星期四"));
        window_->resize(900, 600);
        QTest::qWait(10);
        QCOMPARE(find<QLabel>("StatusPanel0")->width(), window_->width() - 200);
    }

    void listsAndPanelStartEmpty() {
        QCOMPARE(find<QTableWidget>("lsvBuy")->rowCount(), 0);
        QCOMPARE(find<QTableWidget>("lsvBuy")->horizontalHeaderItem(1)->text(),
                 QString::fromUtf8("证券代码"));
        QCOMPARE(find<QTableWidget>("lsvRec")->columnCount(), 11);
        QCOMPARE(text("txtZjze"), QString("       0.00"));
        QCOMPARE(text("txtTzl"), QString("       0.00"));
        QCOMPARE(find<QComboBox>("cboStkType")->count(), 20);
        QCOMPARE(find<QComboBox>("cboStkType")->currentText(), QString::fromUtf8("上证Ａ股"));
    }

    void budgetPanelPricesThePlannedTrade() {
        typeInto("txtStockNum", "1000");
        typeInto("txtBuyPrice", "10.00");
        QCOMPARE(text("txtBuyPrice"), QString("10"));
        typeInto("txtSellPrice", "10.5");
        QTest::mouseClick(find<QPushButton>("cmdCal"), Qt::LeftButton);
        QCOMPARE(text("txtBuySxf"), QString("81"));
        QCOMPARE(text("txtBuyPriceAll"), QString("10081"));
        QCOMPARE(text("txtSellSxf"), QString("84.75"));
        QCOMPARE(text("txtSellPriceAll"), QString("10415.25"));
        QCOMPARE(text("txtYl"), QString("334.25"));
        QCOMPARE(text("txtBlYl"), QString("  3.32%"));
        QVERIFY(ui_.messages.empty());
    }

    void calculatingWithLettersInAFieldReportsThemFirst() {
        typeInto("txtStockNum", "1000");
        typeInto("txtBuyPrice", "10");
        QLineEdit* sell = find<QLineEdit>("txtSellPrice");
        sell->setFocus();
        sell->selectAll();
        QTest::keyClicks(sell, "abc");
        QTest::mouseClick(find<QPushButton>("cmdCal"), Qt::LeftButton);
        QCOMPARE(ui_.messages.size(), size_t(1));
        QCOMPARE(ui_.messages[0].text, tallivan::gbk("'abc' 为无效值,请重新输入！"));
        QCOMPARE(ui_.messages[0].caption, tallivan::gbk("错误"));
        QCOMPARE(sell->text(), QString("0"));
        QCOMPARE(text("txtSellPriceAll"), QString("0"));
        QCOMPARE(text("txtYl"), QString("-10081"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
