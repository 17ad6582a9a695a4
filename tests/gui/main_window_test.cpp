// The main window on the offscreen platform, started on an empty data directory with a fixed
// date: its menus, tool bar and status bar, and the budget panel driven with real keystrokes.
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <memory>

#include "app/controller.h"
#include "base/gbk.h"
#include "main_window.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"
#include "support/qt_find_widget.h"
#include "support/qt_typing.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace field_id = tallivan::field_id;
using tallivan::Controller;
using tallivan::FixedClock;
using tallivan::MessageIcon;
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
    QList<QUrl> openedUrls_;

    template <typename T>
    T* find(const char* name) {
        return tallivan::testing::findWidget<T>(window_.get(), name);
    }

    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    QString panel(int index) {
        return find<QLabel>(qPrintable(QString("StatusPanel%1").arg(index)))->text();
    }

    void typeInto(const char* name, const QString& keys) {
        tallivan::testing::typeInto(find<QLineEdit>(name), keys);
    }

    // The captions of a menu's entries, "-" for a separator.
    static QStringList entries(const QMenu* menu) {
        QStringList texts;
        for (const QAction* a : menu->actions())
            texts << (a->isSeparator() ? QString("-") : a->text());
        return texts;
    }

  public Q_SLOTS:
    // The desktop's "open" of a local file, as the help command asks for it.
    void openUrl(const QUrl& url) { openedUrls_ << url; }

  private Q_SLOTS:
    void init() {
        openedUrls_.clear();
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

    void menusHoldTheirCommandsInOrder() {
        QStringList titles;
        for (const QAction* a : window_->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, QStringList({"文件(&F)", "账户(&O)", "股票(&S)", "查看(&V)", "帮助(&H)"}));
        QCOMPARE(
            entries(find<QMenu>("mnuFile")),
            QStringList({"选项(&O)...", "设置参数(&P)...", "证券名称(&T)...", "-", "导出数据(&E)",
                         "导入交割单(&I)...", "更新现价(&R)...", "-", "退出(&X)"}));
        QCOMPARE(entries(find<QMenu>("mnuExport")),
                 QStringList({"文本文件(&T)", "CSV文件(&C)", "导出到(&D)..."}));
        QCOMPARE(entries(find<QMenu>("mnuAccount")),
                 QStringList({"添加账户(&A)...", "修改账户(&E)...", "删除账户(&D)...",
                              "修改密码(&P)...", "加密帐户(&S)...", "取消加密(&U)...", "-",
                              "存取资金(&F)...", "删除资金(&C)..."}));
        QCOMPARE(entries(find<QMenu>("mnuStock")),
                 QStringList({"买入股票(&B)...", "申购新股(&A)...", "-", "卖出股票(&S)...",
                              "配股(&P)...", "送股(&G)...", "分红(&F)...", "申购中签(&Z)...",
                              "申购未中签(&N)...", "-", "修改股票(&C)...", "删除股票(&H)...", "-",
                              "修改交易(&E)...", "撤消交易(&D)..."}));
        QCOMPARE(entries(find<QMenu>("mnuView")), QStringList({"筛选(&L)...", "原始顺序(&O)"}));
        QCOMPARE(entries(find<QMenu>("H1")), QStringList({"内容(&C)...", "关于(&A)..."}));
        QVERIFY(!window_->action("mnuEditPwd")->isVisible());
        QCOMPARE(window_->action("mnuEditPwd")->shortcut(), QKeySequence("Ctrl+P"));
    }

    void shortcutKeysRunTheirCommands() {
        const struct {
            const char* keys;
            const char* command;
        } cases[] = {
            {"F7", "mnuAddAcc"},         {"Ctrl+F7", "mnuEditAcc"}, {"Ctrl+D", "mnuDelAcc"},
            {"F8", "mnuFund"},           {"Ctrl+F8", "mnuDelFund"}, {"F11", "mnuBuyStk"},
            {"Ctrl+F11", "mnuApplyStk"}, {"F12", "mnuSellStk"},     {"Ctrl+F12", "mnuPeiStk"},
            {"Ctrl+N", "mnuApplyStkNo"}, {"F9", "mnuEditStk"},      {"Ctrl+F9", "mnuDelStk"},
            {"F10", "mnuEditRec"},       {"Ctrl+F10", "mnuDelRec"}, {"Ctrl+T", "mnuStkCode"},
            {"Ctrl+R", "mnuReadSpj"}};
        // With an opened account selected every command is enabled.
        files_.makeDirectory("zrdata");
        tallivan::AccountHeader header{};
        tallivan::LcgRandom random;
        tallivan::makeHeaderKeys(header, clock_, random);
        QCOMPARE(tallivan::createAccountFile(files_, "zrdata/zr_00001.acc", header), 0);
        controller_->buildTree();
        window_->applyCommandStates();
        QVERIFY(controller_->commands().canRun(tallivan::CommandId::EditAccount));
        find<QTreeView>("trvAccount")->setFocus();
        for (const auto& c : cases) {
            QSignalSpy ran(window_->action(c.command), &QAction::triggered);
            QTest::keySequence(window_.get(), QKeySequence(c.keys));
            QVERIFY2(ran.count() == 1, c.keys);
        }
    }

    void hintsGiveToolTipsAndTheStatusText() {
        auto* readPrices = find<QToolButton>("cmdReadSpj");
        QCOMPARE(readPrices->toolTip(), QString("更新现价(Ctrl+R)"));
        QTest::mouseMove(readPrices);
        QTRY_COMPARE(panel(0), QString("更新持有股票的现价"));
        // Text after the first "|" only, so a second "|" stays.
        QTest::mouseMove(find<QToolButton>("cmdBuyStk"));
        QTRY_COMPARE(panel(0), QString("|买入股票(F11)"));
        QCOMPARE(find<QToolButton>("cmdBuyStk")->toolTip(), QString("买入股票(F11)"));
        // The tree's hint is the path of its selected node.
        QVERIFY(controller_->selectedNode());
        const std::string& path = controller_->tree().node(*controller_->selectedNode()).path;
        QTest::mouseMove(find<QTreeView>("trvAccount")->viewport());
        QTRY_COMPARE(panel(0), QString::fromStdString(path));
        QCOMPARE(find<QTreeView>("trvAccount")->toolTip(), QString::fromStdString(path));
        // Where nothing has a hint of its own, the window's shows.
        QTest::mouseMove(find<QGroupBox>("grpAllStk"));
        QTRY_COMPARE(panel(0), QString("Tallivan V1.00 2000.12.17"));
    }

    void toolBarButtonsCarryTheirCommands() {
        QStringList order;
        for (QAction* a : find<QToolBar>("ToolBar1")->actions())
            order << a->objectName();
        QCOMPARE(order,
                 QStringList({"cmdBuyStk", "cmdSellStk", "ToolButton1", "cmdEditStk", "cmdEditRec",
                              "ToolButton4", "cmdReadSpj", "ToolButton6", "ToolButton7"}));
        for (const char* name :
             {"cmdBuyStk", "cmdSellStk", "cmdEditStk", "cmdEditRec", "cmdReadSpj", "ToolButton7"}) {
            auto* button = find<QToolButton>(name);
            QVERIFY(button->autoRaise());
            QVERIFY(button->width() >= 60 && button->height() >= 38);
            QVERIFY(!button->icon().isNull());
        }
        QCOMPARE(window_->action("cmdEditRec")->text(), QString("修改交易(&E)..."));
        // The button shows the caption with its "...", without a mnemonic of its own.
        QCOMPARE(find<QToolButton>("cmdEditRec")->text(), QString("修改交易(E)..."));
        QSignalSpy ran(window_->action("mnuEditStk"), &QAction::triggered);
        QTest::mouseClick(find<QToolButton>("cmdEditStk"), Qt::LeftButton);
        QCOMPARE(ran.count(), 1);
    }

    void aboutBoxRevealsItsNoteOnRequest() {
        struct {
            QString caption, title;
            bool noteHiddenAtFirst = false, noteShown = false, detailDisabled = false;
            QString note;
            int heightBefore = 0, heightAfter = 0;
        } seen;
        QTimer::singleShot(0, this, [&] {
            auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!about)
                return;
            seen.caption = about->windowTitle();
            seen.title = about->findChild<QLabel*>("lblTitle")->text();
            auto* note = about->findChild<QPlainTextEdit*>("txtDetail");
            seen.noteHiddenAtFirst = !note->isVisible();
            seen.heightBefore = about->height();
            QTest::mouseClick(about->findChild<QPushButton*>("cmdDetail"), Qt::LeftButton);
            QTest::qWait(20);
            seen.noteShown = note->isVisible() && note->isReadOnly();
            seen.note = note->toPlainText();
            seen.detailDisabled = !about->findChild<QPushButton*>("cmdDetail")->isEnabled();
            seen.heightAfter = about->height();
            QTest::mouseClick(about->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        });
        QTest::mouseClick(find<QToolButton>("ToolButton7"), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(seen.caption, QString("关于"));
        QCOMPARE(seen.title, QString("Tallivan V1.00"));
        QVERIFY(seen.noteHiddenAtFirst);
        QVERIFY(seen.noteShown);
        QCOMPARE(seen.note, QString("请多提意见"));
        QVERIFY(seen.detailDisabled);
        QVERIFY(seen.heightAfter > seen.heightBefore);
    }

    void helpOpensTheHelpFileOrElseTheManual() {
        // The help file is looked up in the working directory, the program's data directory.
        const QString workingDirectory = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(dir_.path())));
        const auto back = qScopeGuard([&] { QDir::setCurrent(workingDirectory); });
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });

        window_->action("mnuHelp")->trigger();
        auto* manual = find<QDialog>("wndManual");
        QVERIFY(manual->isVisible());
        QVERIFY(!manual->isModal());
        QCOMPARE(manual->windowTitle(), QString("Tallivan 使用说明"));
        QVERIFY(find<QTextBrowser>("txtManual")->toPlainText().contains("数据目录"));
        QVERIFY(openedUrls_.isEmpty());
        // Asking again shows the same window.
        manual->close();
        window_->action("mnuHelp")->trigger();
        QCOMPARE(window_->findChildren<QDialog*>("wndManual").size(), 1);
        QVERIFY(manual->isVisible());

        dir_.write("zrstk.chm", "ITSF");
        window_->action("mnuHelp")->trigger();
        QCOMPARE(openedUrls_.size(), 1);
        QCOMPARE(openedUrls_[0],
                 QUrl::fromLocalFile(QString::fromStdString(dir_.file("zrstk.chm"))));
    }

    void exitClosesTheWindow() {
        window_->action("mnuExit")->trigger();
        QVERIFY(!window_->isVisible());
    }

    void statusBarShowsTodayAndFollowsTheWidth() {
        QCOMPARE(panel(2), QString("2026-12-10"));
        QCOMPARE(panel(3), QString("星期四"));
        for (int width : {1200, 1000, 1300}) {
            window_->resize(width, 700);
            QTRY_COMPARE(window_->width(), width);
            QCOMPARE(find<QLabel>("StatusPanel0")->width(), width - 200);
            QCOMPARE(find<QLabel>("StatusPanel2")->width(), 72);
        }
    }

    void listsAndFundDetailsStartAtZero() {
        auto* pages = find<QTabWidget>("PageControl1");
        QCOMPARE(pages->count(), 4);
        QCOMPARE(pages->tabText(0), QString("股票(&G)"));
        QCOMPARE(pages->tabText(1), QString("交易(&J)"));
        QCOMPARE(pages->tabText(2), QString("资金(&Z)"));
        QCOMPARE(pages->tabText(3), QString("分析(&X)"));
        QCOMPARE(pages->currentWidget()->objectName(), QString("tabGp"));
        auto* split = find<QSplitter>("Splitter2");
        QCOMPARE(split->orientation(), Qt::Vertical);
        QVERIFY(split->widget(0)->findChild<QTableView*>("lsvBuy"));
        QVERIFY(split->widget(1)->findChild<QTableView*>("lsvSell"));
        QVERIFY(find<QWidget>("tabJy")->findChild<QTableView*>("lsvRec"));
        QVERIFY(find<QWidget>("tabZj")->findChild<QTableView*>("lsvFund"));

        // The stock lists hold only their summary rows.
        const struct {
            const char* list;
            int rows;
            int columns;
            int column;
            const char* caption;
        } lists[] = {{"lsvBuy", 1, 15, 14, "备注"},
                     {"lsvSell", 1, 12, 6, "卖价"},
                     {"lsvRec", 0, 11, 9, "盈亏金额"},
                     {"lsvFund", 0, 8, 4, "金额"}};
        for (const auto& l : lists) {
            QAbstractItemModel* model = find<QTableView>(l.list)->model();
            QCOMPARE(model->rowCount(), l.rows);
            QCOMPARE(model->columnCount(), l.columns);
            QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString());
            QCOMPARE(model->headerData(l.column, Qt::Horizontal).toString(), QString(l.caption));
            QCOMPARE(find<QTableView>(l.list)->columnWidth(0), 18);
        }
        QVERIFY(find<QTableView>("lsvFund")->isColumnHidden(6));
        QVERIFY(find<QTableView>("lsvFund")->isColumnHidden(7));
        QVERIFY(!find<QTableView>("lsvFund")->isColumnHidden(5));

        // The nine values, top to bottom, each read-only and zero for an empty ledger; the
        // 申购冻结 line is hidden while no subscription awaits its outcome.
        auto* grid = static_cast<QGridLayout*>(find<QGroupBox>("grpAllStk")->layout());
        QStringList labels, names, texts;
        for (int row = 0; row < grid->rowCount(); ++row) {
            auto* edit = static_cast<QLineEdit*>(grid->itemAtPosition(row, 1)->widget());
            if (edit->isHidden()) {
                QCOMPARE(edit->objectName(), QString("txtSgdj"));
                continue;
            }
            labels << static_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget())->text();
            names << edit->objectName();
            texts << edit->text();
            QVERIFY(edit->isReadOnly());
        }
        QCOMPARE(texts, QStringList({"       0.00", "       0.00", "       0.00", "       0.00",
                                     "       0.00", "       0.00", "       0.00", "      0.00%",
                                     "      0.00%"}));
        QCOMPARE(labels, QStringList({"资金总额", "资金损耗", "资金现额", "持仓金额", "资金余额",
                                      "净现值", "净盈利", "盈利率", "投资率"}));
        QCOMPARE(names, QStringList({"txtZjze", "txtZjdb", "txtZjxe", "txtCcje", "txtZjye",
                                     "txtJxz", "txtJyl", field_id::kProfitRatio, "txtTzl"}));
    }

    void budgetPanelPricesAPlannedTrade() {
        auto* type = find<QComboBox>(field_id::kStockCategory);
        QCOMPARE(type->count(), 20);
        QCOMPARE(type->currentIndex(), 0);
        QCOMPARE(type->currentText(), QString("上证Ａ股"));
        QCOMPARE(text(field_id::kShares), QString("0"));

        typeInto(field_id::kShares, "1000");
        typeInto(field_id::kBuyPrice, "10.00");
        QCOMPARE(text(field_id::kBuyPrice), QString("10"));  // rewritten when left
        typeInto(field_id::kSellPrice, "10.5");
        QTest::mouseClick(find<QPushButton>(field_id::kCalculate), Qt::LeftButton);
        QCOMPARE(text(field_id::kBuyFee), QString("81"));
        QCOMPARE(text(field_id::kBuyTotal), QString("10081"));
        QCOMPARE(text(field_id::kSellFee), QString("84.75"));
        QCOMPARE(text(field_id::kSellTotal), QString("10415.25"));
        QCOMPARE(text(field_id::kProfit), QString("334.25"));
        QCOMPARE(text(field_id::kNetProfitRatio), QString("  3.32%"));
        QVERIFY(ui_.messages.empty());

        // Another category by keyboard: its fees apply at the next 计算 (no transfer fee).
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Down);
        QCOMPARE(type->currentText(), QString("深证Ａ股"));
        typeInto(field_id::kSellPrice, "10");
        QTest::mouseClick(find<QPushButton>(field_id::kCalculate), Qt::LeftButton);
        QCOMPARE(text(field_id::kBuyFee), QString("80"));
        QCOMPARE(text(field_id::kProfit), QString("-160"));
        QCOMPARE(text(field_id::kNetProfitRatio), QString(" -1.59%"));
    }

    void leavingAFieldWithLettersReportsThemAndReturns() {
        typeInto(field_id::kShares, "1000");
        typeInto(field_id::kBuyPrice, "10");
        typeInto(field_id::kSellPrice, "abc");
        QCOMPARE(ui_.messages.size(), size_t(1));
        QCOMPARE(ui_.messages[0].text, tallivan::gbk("'abc' 为无效值,请重新输入！"));
        QCOMPARE(ui_.messages[0].caption, tallivan::gbk("错误"));
        QCOMPARE(ui_.messages[0].icon, MessageIcon::Error);
        QCOMPARE(text(field_id::kSellPrice), QString("0"));
        // The focus goes back to the field instead of on to the button.
        QCOMPARE(QApplication::focusWidget(), find<QLineEdit>(field_id::kSellPrice));
    }

    void calculatingWithLettersInAFieldReportsThemFirst() {
        typeInto(field_id::kShares, "1000");
        typeInto(field_id::kBuyPrice, "10");
        QLineEdit* sell = find<QLineEdit>(field_id::kSellPrice);
        sell->setFocus();
        sell->selectAll();
        QTest::keyClicks(sell, "abc");
        QTest::mouseClick(find<QPushButton>(field_id::kCalculate), Qt::LeftButton);
        QCOMPARE(ui_.messages.size(), size_t(1));
        QCOMPARE(ui_.messages[0].text, tallivan::gbk("'abc' 为无效值,请重新输入！"));
        QCOMPARE(sell->text(), QString("0"));
        // Then it computes with the 0 left in the field.
        QCOMPARE(text(field_id::kSellTotal), QString("0"));
        QCOMPARE(text(field_id::kProfit), QString("-10081"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
