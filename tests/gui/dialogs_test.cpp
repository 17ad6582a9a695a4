// The dialogs a person meets, on the offscreen platform over a data directory with two accounts:
// each is driven with the keyboard and the mouse through the real dialog views, and every
// message shows in a real message box, answered by clicking its button.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

#include "app/controller.h"
#include "ledger/fee_schedule.h"
#include "main_window.h"
#include "qt_ui.h"
#include "storage/account_file.h"
#include "storage/settings.h"
#include "support/qt_find_widget.h"
#include "support/qt_main_window.h"
#include "support/qt_typing.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace field_id = tallivan::field_id;
using tallivan::Controller;
using tallivan::FixedClock;
using tallivan::gbk;
using tallivan::LedgerRecord;
using tallivan::PosixFileSystem;
using tallivan::gui::MainWindow;
namespace t = tallivan::testing;

namespace {

constexpr const char* kPassword = "secret12";

// A message box as the person saw it.
struct SeenBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// The desktop's own Ui; each message box it shows is read and answered with a click on the
// button captioned `answer` (the first button when empty).
class AnsweringUi : public tallivan::gui::QtUi {
  public:
    tallivan::Answer message(const std::string& text, const std::string& caption,
                             tallivan::MessageIcon icon,
                             tallivan::MessageButtons buttons) override {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            SeenBox seen{box->text(), box->windowTitle(), box->icon(), {}};
            QAbstractButton* choice = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                seen.buttons << b->text();
                if (!choice && (answer.isEmpty() || b->text() == answer))
                    choice = b;
            }
            boxes.push_back(seen);
            QTest::mouseClick(choice, Qt::LeftButton);
        });
        return QtUi::message(text, caption, icon, buttons);
    }
    bool runDialog(tallivan::Form& form) override {
        ++dialogsRun;
        return QtUi::runDialog(form);
    }

    std::vector<SeenBox> boxes;
    QString answer;
    int dialogsRun = 0;
};

// Account two: a deposit, tied to a password.
std::vector<LedgerRecord> secondLedger() {
    return {LedgerRecord::of(
        t::dated(t::fund(tallivan::kDeposit, gbk("存入"), 5000000, ""), 2024, 3, 1))};
}

QString invalid(const QString& text) {
    return "'" + text + "' 为无效值,请重新输入！";
}

}  // namespace

class DialogsTest : public t::MainWindowTest<AnsweringUi> {
    Q_OBJECT

  private:
    QString cell(const char* list, int row, int column) {
        return find<QTableView>(list)->model()->index(row, column).data().toString();
    }
    QString detail(const char* name) { return find<QLineEdit>(name)->text(); }

    // Starts the program on the data directory, asking for passwords or not.
    void start(bool wantPassword) {
        tallivan::Settings settings = tallivan::defaultSettings();
        settings.wantPassword = wantPassword ? 1 : 0;
        QCOMPARE(tallivan::saveSettings(*files_, settings), 0);
        QVERIFY(showMainWindow());
    }

    // Starts the program with today's fee schedule.
    void startWithTodaysSchedule() {
        tallivan::Settings settings = tallivan::defaultSettings();
        tallivan::applyCurrentFeeSchedule(settings);
        QCOMPARE(tallivan::saveSettings(*files_, settings), 0);
        QVERIFY(showMainWindow());
    }

    void runShortcut(const char* keys) {
        tree()->setFocus();
        QTest::keySequence(window_.get(), QKeySequence(keys));
    }

    // Keys go where the keyboard focus is, as they do for a person; after a message box the
    // dialog has it again once it is the active window again.
    static void press(Qt::Key key) {
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    static void type(const QString& keys) {
        QTRY_VERIFY(QApplication::focusWidget());
        t::typeText(QApplication::focusWidget(), keys);
    }
    static QString focusName() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    static QString text(QDialog* dialog, const char* name) {
        return t::findWidget<QLineEdit>(dialog, name)->text();
    }
    static void click(QDialog* dialog, const char* name) {
        QTest::mouseClick(t::findWidget<QPushButton>(dialog, name), Qt::LeftButton);
    }

  private Q_SLOTS:
    void init() {
        ui_.boxes.clear();
        ui_.answer.clear();
        ui_.dialogsRun = 0;
        makeDataDirectory();
        tallivan::NameTable names;
        for (const auto& [code, name] : t::sampleNames())
            QVERIFY(names.storeName(*files_, code, name) >= 0);
        QVERIFY(writeAccount(1, "one", t::sampleLedger()));
        QVERIFY(writeAccount(2, gbk("二号"), secondLedger(), kPassword));
    }

    void cleanup() { closeMainWindow(); }

    void startUpShowsTheFirstAccount() {
        start(false);
        QCOMPARE(group().data().toString(), QString("帐户组"));
        QCOMPARE(account(0).data().toString(), QString("one"));
        QCOMPARE(account(1).data().toString(), QString("二号"));
        QCOMPARE(tree()->currentIndex(), account(0));
        QCOMPARE(find<QTabWidget>("PageControl1")->currentWidget()->objectName(), QString("tabGp"));
        QCOMPARE(find<QTableView>("lsvBuy")->model()->rowCount(), 2);
        QCOMPARE(cell("lsvBuy", 1, 1), QString("600001"));
        QCOMPARE(cell("lsvBuy", 1, 2), QString("邯郸钢铁"));
        QCOMPARE(find<QTableView>("lsvRec")->model()->rowCount(), 2);
        QCOMPARE(find<QTableView>("lsvFund")->model()->rowCount(), 3);
        QCOMPARE(detail("txtZjze"), QString("   98000.00"));
        QCOMPARE(detail("txtJyl"), QString("    5825.12"));
        QCOMPARE(find<QLabel>("StatusPanel2")->text(), QString("2026-12-10"));
        QCOMPARE(find<QLabel>("StatusPanel3")->text(), QString("星期四"));
        QVERIFY(ui_.boxes.empty());
    }

    void buyingByKeyboardShowsFeeAndTotalOnLeavingThePrice() {
        start(false);
        struct {
            QString caption, group, okCaption, title, fee, total, feeFocus;
        } seen;
        onDialog([&](QDialog* dialog) {
            seen.caption = dialog->windowTitle();
            seen.group = t::findWidget<QGroupBox>(dialog, field_id::kTradeGroup)->title();
            seen.okCaption = t::findWidget<QPushButton>(dialog, field_id::kOk)->text();
            QCOMPARE(focusName(), QString(field_id::kYear));
            // Enter moves on through the date, also onto the name that Tab skips.
            press(Qt::Key_Return);
            press(Qt::Key_Return);
            press(Qt::Key_Return);
            type("600001");
            press(Qt::Key_Return);
            QCOMPARE(focusName(), QString(field_id::kTitle));
            seen.title = text(dialog, field_id::kTitle);
            press(Qt::Key_Return);
            type("1000");
            press(Qt::Key_Return);
            type("10");
            QCOMPARE(text(dialog, field_id::kFee),
                     QString("0.00"));  // nothing before the price is left
            press(Qt::Key_Return);
            seen.feeFocus = focusName();
            seen.fee = text(dialog, field_id::kFee);
            seen.total = text(dialog, field_id::kTotal);
            press(Qt::Key_Return);
            press(Qt::Key_Return);
            QCOMPARE(focusName(), QString(field_id::kOk));
            press(Qt::Key_Return);
        });
        runShortcut("F11");
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(seen.caption, QString("买入股票"));
        QCOMPARE(seen.group, QString("买入股票"));
        QCOMPARE(seen.okCaption, QString("买入(&O)"));
        QCOMPARE(seen.title, QString("邯郸钢铁"));
        QCOMPARE(seen.feeFocus, QString(field_id::kFee));
        QCOMPARE(seen.fee, QString("81.00"));
        QCOMPARE(seen.total, QString("10081.00"));
        QVERIFY(ui_.boxes.empty());
        // The purchase is recorded and added to the holding.
        QCOMPARE(cell("lsvRec", 0, 1), QString("26-12-10"));
        QCOMPARE(cell("lsvRec", 0, 4), QString("买入"));
        QCOMPARE(cell("lsvRec", 0, 8), QString("-10081.00"));
        QCOMPARE(cell("lsvBuy", 1, 3), QString("2000"));
        QCOMPARE(cell("lsvBuy", 1, 5), QString("20162.00"));
    }

    void theTradeDialogShowsThePartsOfItsFee() {
        startWithTodaysSchedule();
        clickRow("lsvBuy", 1);
        struct {
            QString fee, parts, partsAfterTyping, partsAfterShares;
            bool partsVisible = false;
        } seen;
        onDialog([&](QDialog* dialog) {
            // The sale of the 1000 shares held at 10.50 pays the stamp tax.
            seen.fee = text(dialog, field_id::kFee);
            QLabel* parts = t::findWidget<QLabel>(dialog, "txtSxfSuffix");
            seen.parts = parts->text();
            seen.partsVisible = parts->isVisible();
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kFee), "12");
            seen.partsAfterTyping = parts->text();
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kShares), "500");
            seen.partsAfterShares = parts->text();
            click(dialog, field_id::kCancel);
        });
        runShortcut("F12");
        QCOMPARE(seen.fee, QString("10.36"));
        QCOMPARE(seen.parts, QString("手续费 5.00  印花税 5.25  过户费 0.11  委托费 0.00"));
        QVERIFY(seen.partsVisible);
        QCOMPARE(seen.partsAfterTyping, QString());  // a fee typed by hand has no parts
        QCOMPARE(seen.partsAfterShares,
                 QString("手续费 5.00  印花税 2.63  过户费 0.05  委托费 0.00"));
        QVERIFY(ui_.boxes.empty());
    }

    void theSettingsDialogAppliesTodaysScheduleAndARowsRules() {
        start(false);
        ui_.answer = "是(&Y)";
        struct {
            QString firstRow, rate, unitBefore, unitAfterPreset, unitAfterTicking, rateTyped;
            bool stampTicked = false;
        } seen;
        onDialog([&](QDialog* dialog) {
            auto* list = t::findWidget<QListWidget>(dialog, field_id::kCategoryList);
            QLabel* unit = t::findWidget<QLabel>(dialog, "txtBlGhfSuffix");
            seen.unitBefore = unit->text();
            click(dialog, field_id::kCurrentRates);
            QTRY_VERIFY(QApplication::activeWindow() == dialog);
            seen.firstRow = list->item(0)->text();
            seen.rate = text(dialog, field_id::kCommissionRate);
            seen.unitAfterPreset = unit->text();
            seen.stampTicked =
                t::findWidget<QCheckBox>(dialog, field_id::kStampOnSalesOnly)->isChecked();
            // An unknown row put under today's rules takes a rate of a broker.
            list->setCurrentRow(12);
            QTest::mouseClick(t::findWidget<QCheckBox>(dialog, field_id::kTransferOfAmount),
                              Qt::LeftButton);
            seen.unitAfterTicking = unit->text();
            seen.rateTyped =
                t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kCommissionRate), "0.0185")
                    ->text();
            click(dialog, field_id::kOk);
            click(dialog, field_id::kCancel);
        });
        window_->action("mnuConfig")->trigger();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(ui_.boxes.size(), std::size_t(1));
        QCOMPARE(ui_.boxes[0].caption, QString("警告"));
        QCOMPARE(ui_.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(seen.unitBefore, QString("/千股"));
        QCOMPARE(seen.firstRow, QString("沪市主板"));
        QCOMPARE(seen.rate, QString("0.025"));
        QCOMPARE(seen.unitAfterPreset, QString("%"));
        QVERIFY(seen.stampTicked);
        QCOMPARE(seen.unitAfterTicking, QString("%"));
        QCOMPARE(seen.rateTyped, QString("0.0185"));
        const tallivan::StockCategory& row = controller_->settings().categories[12];
        QCOMPARE(int(row.feeRules), int(tallivan::kTransferOfAmount));
        QCOMPARE(row.commissionRate, 0.0185);
        QCOMPARE(controller_->quoteFee("600000", 1000, 10, tallivan::TradeSide::Sell).fee, 10.10);
        tallivan::Settings saved = tallivan::defaultSettings();
        QCOMPARE(tallivan::loadSettings(*files_, saved), tallivan::SettingsLoad::Loaded);
        QCOMPARE(saved.categories[12].commissionRate, 0.0185);
    }

    void anInvalidNumberIsReportedAndTheOldValueRestored() {
        start(false);
        struct {
            QString shares, focus, sharesAfterFix, fee;
        } seen;
        onDialog([&](QDialog* dialog) {
            QLineEdit* shares = t::findWidget<QLineEdit>(dialog, field_id::kShares);
            shares->setFocus(Qt::MouseFocusReason);
            shares->selectAll();
            type("12a");
            press(Qt::Key_Tab);
            seen.shares = shares->text();
            QTRY_VERIFY(QApplication::focusWidget());  // the dialog is active again
            seen.focus = focusName();
            // Typed again correctly, leaving the price then prices it.
            shares->selectAll();
            type("100");
            press(Qt::Key_Tab);
            seen.sharesAfterFix = shares->text();
            click(dialog, field_id::kCancel);
        });
        window_->action("mnuBuyStk")->trigger();
        QCOMPARE(ui_.boxes.size(), std::size_t(1));
        QCOMPARE(ui_.boxes[0].text, invalid("12a"));
        QCOMPARE(ui_.boxes[0].caption, QString("错误"));
        QCOMPARE(ui_.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(ui_.boxes[0].buttons, QStringList({"确定"}));
        QCOMPARE(seen.shares, QString("0"));
        QCOMPARE(seen.focus, QString(field_id::kShares));
        QCOMPARE(seen.sharesAfterFix, QString("100"));
        // Cancelled: nothing was recorded.
        QCOMPARE(find<QTableView>("lsvRec")->model()->rowCount(), 2);
    }

    void sellingMoreThanHeldIsRefusedUntilCorrected() {
        start(false);
        clickRow("lsvBuy", 1);
        struct {
            QString caption, code, shares;
            bool codeReadOnly = false;
            std::size_t boxesAfterLeaving = 0, boxesAfterOk = 0;
            bool openAfterOk = false;
        } seen;
        onDialog([&](QDialog* dialog) {
            seen.caption = dialog->windowTitle();
            seen.code = text(dialog, field_id::kCode);
            seen.codeReadOnly = t::findWidget<QLineEdit>(dialog, field_id::kCode)->isReadOnly();
            seen.shares = text(dialog, field_id::kShares);
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kShares), "1200");
            seen.boxesAfterLeaving = ui_.boxes.size();
            QTRY_COMPARE(focusName(), QString(field_id::kShares));
            click(dialog, field_id::kOk);  // the count still exceeds the holding: warned once more
            seen.boxesAfterOk = ui_.boxes.size();
            seen.openAfterOk = dialog->isVisible();
            QTRY_VERIFY(QApplication::activeWindow() == dialog);
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kShares), "500");
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kPrice), "11");
            click(dialog, field_id::kOk);
        });
        runShortcut("F12");
        QCOMPARE(seen.caption, QString("卖出股票"));
        QCOMPARE(seen.code, QString("600001"));
        QVERIFY(seen.codeReadOnly);
        QCOMPARE(seen.shares, QString("1000"));
        QCOMPARE(seen.boxesAfterLeaving, std::size_t(1));
        QCOMPARE(seen.boxesAfterOk, std::size_t(2));
        QVERIFY(seen.openAfterOk);
        for (const SeenBox& box : ui_.boxes) {
            QCOMPARE(box.text, QString("卖出股数大于买入股数！"));
            QCOMPARE(box.caption, QString("错误"));
        }
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(cell("lsvRec", 0, 4), QString("卖出"));
        QCOMPARE(cell("lsvRec", 0, 5), QString("500"));
        QCOMPARE(cell("lsvBuy", 1, 3), QString("500"));
    }

    void stockEditFindsTheStopLossPriceForALoss() {
        start(false);
        clickRow("lsvBuy", 1);
        struct {
            QString caption, buyPrice, net, price, loss, ratio, focus;
        } seen;
        onDialog([&](QDialog* dialog) {
            seen.caption = dialog->windowTitle();
            seen.buyPrice = text(dialog, field_id::kPrice);
            seen.net = text(dialog, field_id::kCurrentValue);
            QVERIFY(t::findWidget<QGroupBox>(dialog, field_id::kPriceGroup)->isVisible());
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kLoss), "-500");
            click(dialog, field_id::kCalculateLoss);
            seen.price = text(dialog, field_id::kStopLossPrice);
            seen.loss = text(dialog, field_id::kLoss);
            seen.ratio = text(dialog, field_id::kLossRatio);
            seen.focus = focusName();
            click(dialog, field_id::kOk);
        });
        QTableView* held = find<QTableView>("lsvBuy");
        const QPoint at = held->viewport()->mapTo(
            window_.get(), held->visualRect(held->model()->index(1, 1)).center());
        QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(seen.caption, QString("修改股票"));
        QCOMPARE(seen.buyPrice, QString("10.00"));
        QCOMPARE(seen.net, QString("10415.25"));
        QCOMPARE(seen.price, QString("9.66"));
        QCOMPARE(seen.loss, QString("-499.45"));
        QCOMPARE(seen.ratio, QString("-4.95"));
        QCOMPARE(seen.focus, QString(field_id::kLoss));
        QCOMPARE(cell("lsvBuy", 1, 11), QString("9.66"));
        QVERIFY(ui_.boxes.empty());
    }

    void aSoldStockShowsOnlyItsPositionAndMemo() {
        start(false);
        find<QTableView>("lsvSell")->setFocus();
        clickRow("lsvSell", 1);
        bool pricesShown = true;
        bool memoEnabled = true;
        QString code;
        onDialog([&](QDialog* dialog) {
            pricesShown = t::findWidget<QGroupBox>(dialog, field_id::kPriceGroup)->isVisible();
            code = text(dialog, field_id::kCode);
            // The sold stock has no note slot: its memo cannot be edited.
            memoEnabled = t::findWidget<QLineEdit>(dialog, field_id::kMemo)->isEnabled();
            press(Qt::Key_Escape);
        });
        QTest::keyClick(find<QTableView>("lsvSell"), Qt::Key_F9);
        QVERIFY(!pricesShown);
        QVERIFY(!memoEnabled);
        QCOMPARE(code, QString("0001 平安"));
        QCOMPARE(ui_.dialogsRun, 1);
    }

    void aDepositIsEnteredByKeyboard() {
        start(false);
        struct {
            QString caption, operation, amount;
        } seen;
        onDialog([&](QDialog* dialog) {
            seen.caption = dialog->windowTitle();
            press(Qt::Key_Return);
            press(Qt::Key_Return);
            press(Qt::Key_Return);
            type("工资");
            press(Qt::Key_Return);
            QCOMPARE(focusName(), QString(field_id::kOperation));
            press(Qt::Key_Return);  // 存入 stays chosen
            QCOMPARE(focusName(), QString(field_id::kAmount));
            type("10000");
            press(Qt::Key_Return);
            seen.amount = text(dialog, field_id::kAmount);
            type("十二月");
            press(Qt::Key_Return);
            press(Qt::Key_Return);  // on 确定: pressed
        });
        runShortcut("F8");
        QCOMPARE(seen.caption, QString("存取资金"));
        QCOMPARE(seen.amount, QString("10000"));  // rewritten when left
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(cell("lsvFund", 0, 1), QString("26-12-10"));
        QCOMPARE(cell("lsvFund", 0, 2), QString("工资"));
        QCOMPARE(cell("lsvFund", 0, 3), QString("资金存入"));
        QCOMPARE(cell("lsvFund", 0, 4), QString("10000.00"));
        QCOMPARE(cell("lsvFund", 0, 5), QString("十二月"));
        QCOMPARE(detail("txtZjze"), QString("  108000.00"));
        QVERIFY(ui_.boxes.empty());
    }

    void aLockedAccountAsksForItsPassword() {
        start(true);
        // The group is selected at start; its accounts wait for their passwords.
        QCOMPARE(tree()->currentIndex(), group());
        QVERIFY(tree()->isExpanded(group()));
        QVERIFY(window_->action("mnuEditPwd")->isVisible());
        struct {
            QString caption, label;
            bool masked = false;
        } seen;
        onDialog([&](QDialog* dialog) {
            seen.caption = dialog->windowTitle();
            seen.label = t::findWidget<QLabel>(dialog, "lblLabel")->text();
            seen.masked = t::findWidget<QLineEdit>(dialog, field_id::kText)->echoMode() ==
                          QLineEdit::Password;
            QCOMPARE(focusName(), QString(field_id::kText));
            type("wrong123");
            press(Qt::Key_Return);  // OK is the default button
        });
        clickNode(account(1));
        QCOMPARE(seen.caption, QString("请输入帐户密码"));
        QCOMPARE(seen.label, QString("帐户密码:"));
        QVERIFY(seen.masked);
        QVERIFY(!window_->action("mnuFund")->isEnabled());
        QCOMPARE(find<QTableView>("lsvFund")->model()->rowCount(), 0);

        // A click asks again; the right password opens the account.
        onDialog([](QDialog*) {
            type(kPassword);
            press(Qt::Key_Return);
        });
        clickNode(account(1));
        QCOMPARE(ui_.dialogsRun, 2);
        QVERIFY(window_->action("mnuFund")->isEnabled());
        QCOMPARE(cell("lsvFund", 0, 4), QString("5000.00"));
        QVERIFY(ui_.boxes.empty());
    }

    void commandsFollowTheSelectedNode() {
        start(false);
        const char* const commands[] = {"mnuStock",   "mnuBuyStk",  "mnuApplyStk", "cmdBuyStk",
                                        "cmdSellStk", "cmdEditStk", "cmdEditRec",  "mnuFund",
                                        "mnuDelFund", "mnuEditAcc", "mnuDelAcc",   "mnuReadSpj",
                                        "cmdReadSpj"};
        const struct {
            const char* situation;
            std::function<void()> select;
            QString enabled;  // one letter per command above: y enabled, n disabled
        } cases[] = {
            {"opened account", [this] { clickNode(account(0)); }, "yyyyyyyyyyyyy"},
            {"group", [this] { clickNode(group()); }, "ynnnyyynynnyy"},
            // Account two has a password, which the empty one does not open.
            {"failed account", [this] { clickNode(account(1)); }, "nnnnnnnnnnnnn"},
        };
        for (const auto& c : cases) {
            c.select();
            QString enabled;
            for (const char* command : commands)
                enabled += window_->action(command)->isEnabled() ? 'y' : 'n';
            QVERIFY2(enabled == c.enabled, c.situation);
        }
        // A shortcut of a disabled menu runs nothing.
        const int dialogsBefore = ui_.dialogsRun;
        runShortcut("F11");
        runShortcut("F12");
        QCOMPARE(ui_.dialogsRun, dialogsBefore);
        QVERIFY(ui_.boxes.empty());
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
