// The main window over a data directory with two accounts, on the offscreen platform: the
// account tree, the four lists and the fund details show the ledger exactly, and the tree and
// the account dialog are driven with real clicks and keystrokes.
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

#include "app/controller.h"
#include "images.h"
#include "main_window.h"
#include "qt_ui.h"
#include "storage/account_file.h"
#include "storage/group_marker.h"
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

// Real dialogs; message boxes are only recorded, so an unexpected one cannot stall a test.
class DialogsUi : public tallivan::gui::QtUi {
  public:
    tallivan::Answer message(const std::string& text, const std::string&, tallivan::MessageIcon,
                             tallivan::MessageButtons) override {
        messages.push_back(text);
        return tallivan::Answer::Ok;
    }
    bool runDialog(tallivan::Form& form) override {
        ++dialogsRun;
        if (!showDialogs)
            form.cancel();
        return QtUi::runDialog(form);
    }
    std::vector<std::string> messages;
    int dialogsRun = 0;
    bool showDialogs = true;  // off: a dialog is cancelled before it shows
};

// Account two: a deposit and a position held at a loss.
std::vector<LedgerRecord> secondLedger() {
    return {LedgerRecord::of(
                t::dated(t::fund(tallivan::kDeposit, gbk("存入"), 5000000, ""), 2024, 3, 1)),
            LedgerRecord::of(t::stock(tallivan::kHeldState, "600002", 100, 2000000))};
}

// The image index of a decoration: the small image it shows, or -1.
int imageIndexOf(const QVariant& decoration) {
    const QImage shown = decoration.value<QIcon>().pixmap(16).toImage();
    for (int i = 0; i < tallivan::gui::kSmallImageCount; ++i) {
        if (!shown.isNull() && shown == tallivan::gui::smallImage(i).pixmap(16).toImage())
            return i;
    }
    return -1;
}

}  // namespace

class LedgerViewTest : public t::MainWindowTest<DialogsUi> {
    Q_OBJECT

  private:
    // Each row of a list as its image index and its texts, joined by tabs.
    QStringList rowsOf(const char* list) {
        const QAbstractItemModel* model = find<QTableView>(list)->model();
        QStringList rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells{
                QString::number(imageIndexOf(model->index(r, 0).data(Qt::DecorationRole)))};
            for (int c = 1; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells.join('\t');
        }
        return rows;
    }

    QStringList panelTexts() {
        QStringList texts;
        for (const char* name : {"txtZjze", "txtZjdb", "txtZjxe", "txtCcje", "txtZjye", "txtJxz",
                                 "txtJyl", field_id::kProfitRatio, "txtTzl"})
            texts << find<QLineEdit>(name)->text();
        return texts;
    }

    QColor foreground(const char* list, int row) {
        return find<QTableView>(list)
            ->model()
            ->index(row, 1)
            .data(Qt::ForegroundRole)
            .value<QBrush>()
            .color();
    }

    void doubleClickNode(const QModelIndex& node) { doubleClick(tree(), node); }

  private Q_SLOTS:
    void init() {
        ui_.showDialogs = true;
        makeDataDirectory();
        tallivan::NameTable names;
        for (const auto& [code, name] : t::sampleNames())
            QVERIFY(names.storeName(*files_, code, name) >= 0);
        QVERIFY(writeAccount(1, "one", t::sampleLedger()));
        QVERIFY(writeAccount(2, gbk("二号"), secondLedger()));
        ui_.messages.clear();
        QVERIFY(showMainWindow());
    }

    void cleanup() {
        closeMainWindow();
        QVERIFY(ui_.messages.empty());
    }

    void treeShowsTheGroupWithItsAccounts() {
        QCOMPARE(treeModel()->rowCount(), 1);
        QCOMPARE(group().data().toString(), QString("帐户组"));
        QCOMPARE(treeModel()->rowCount(group()), 2);
        QCOMPARE(account(0).data().toString(), QString("one"));
        QCOMPARE(account(1).data().toString(), QString("二号"));
        QVERIFY(tree()->isExpanded(group()));
        for (const QModelIndex& node : {group(), account(0), account(1)})
            QCOMPARE(imageIndexOf(node.data(Qt::DecorationRole)), 0);
        // The first account is selected at start, and its path is the tree's hint.
        QCOMPARE(tree()->currentIndex(), account(0));
        QVERIFY(tree()->selectionModel()->isSelected(account(0)));
        QCOMPARE(tree()->toolTip(), QString("zrdata/zr_00001.acc"));
    }

    void sampleAccountFillsTheFourListsAndTheDetails() {
        QCOMPARE(
            rowsOf("lsvBuy"),
            QStringList({"16\t统计\t持有股票\t1\t\t10081.00\t\t10415.25\t334.25\t3.32%\t\t\t\t\t",
                         "3\t600001\t邯郸钢铁\t1000\t10.00\t10081.00\t10.50\t10415.25\t334.25\t"
                         "3.32%\t10.17\t9.50\t11.00\t24-01-03\t长线"}));
        QCOMPARE(rowsOf("lsvSell"),
                 QStringList({"16\t统计\t已卖股票\t1\t\t5000.00\t\t5500.00\t500.00\t10.00%\t\t",
                              "4\t0001\t平安\t500\t9.91\t5000.00\t11.10\t5500.00\t500.00\t10.00%\t"
                              "23-11-20\t"}));
        QCOMPARE(
            rowsOf("lsvRec"),
            QStringList({"6\t24-01-03\t600001\t邯郸钢铁\t买入\t1000\t10.00\t81.00\t-10081.00\t\t",
                         "5\t23-11-20\t0001\t平安\t卖出\t500\t11.10\t46.63\t5503.37\t503.37\t"
                         "10.07%"}));
        QCOMPARE(rowsOf("lsvFund"),
                 QStringList({"15\t24-02-02\t增损\t资金增损\t-12.50\t利息税\t\t",
                              "14\t24-02-01\t支取\t资金支取\t-2000.00\t生活费\t\t",
                              "13\t24-01-02\t存入\t资金存入\t100000.00\t\t\t"}));
        QCOMPARE(panelTexts(), QStringList({"   98000.00", "     -12.50", "   97987.50",
                                            "   10081.00", "   93409.87", "  103825.12",
                                            "    5825.12", "      5.94%", "     10.29%"}));
        QVERIFY(QFontInfo(find<QLineEdit>("txtZjze")->font()).fixedPitch());

        // Each column has its caption, alignment and width; the image column shows no text.
        QTableView* held = find<QTableView>("lsvBuy");
        QCOMPARE(held->model()->headerData(13, Qt::Horizontal).toString(), QString("日期"));
        QCOMPARE(held->model()->index(1, 0).data().toString(), QString());
        QCOMPARE(held->model()->index(1, 3).data(Qt::TextAlignmentRole).toInt() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignRight));
        QCOMPARE(held->model()->index(1, 13).data(Qt::TextAlignmentRole).toInt() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignHCenter));
        QCOMPARE(held->columnWidth(0), 18);
        QVERIFY(held->columnWidth(14) >= 120);
        QVERIFY(held->columnWidth(13) > held->fontMetrics().horizontalAdvance("24-01-03"));
        QCOMPARE(held->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        // Each list opens on its first row: the summary rows, the newest transaction and movement.
        const struct {
            const char* list;
            int row;
        } selected[] = {{"lsvBuy", 0}, {"lsvSell", 0}, {"lsvRec", 0}, {"lsvFund", 0}};
        for (const auto& s : selected) {
            QCOMPARE(find<QTableView>(s.list)->selectionModel()->selectedRows().size(), 1);
            QCOMPARE(find<QTableView>(s.list)->selectionModel()->selectedRows().value(0).row(),
                     s.row);
        }
    }

    void rowsAreColouredByProfitAndTheSelectedStock() {
        QCOMPARE(foreground("lsvBuy", 0), QApplication::palette().color(QPalette::ButtonText));
        QCOMPARE(foreground("lsvBuy", 1), QColor(255, 0, 0));
        QCOMPARE(foreground("lsvSell", 1), QColor(255, 0, 0));
        // Selecting a held stock draws its transactions red; the summary row clears that.
        QVERIFY(
            !find<QTableView>("lsvRec")->model()->index(0, 1).data(Qt::ForegroundRole).isValid());
        clickRow("lsvBuy", 1);
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Holdings), std::optional<int>(1));
        QCOMPARE(foreground("lsvRec", 0), QColor(255, 0, 0));
        QVERIFY(
            !find<QTableView>("lsvRec")->model()->index(1, 1).data(Qt::ForegroundRole).isValid());
        clickRow("lsvBuy", 0);
        QCOMPARE(controller_->selectedRow(tallivan::LedgerList::Holdings), std::optional<int>(0));
        QVERIFY(
            !find<QTableView>("lsvRec")->model()->index(0, 1).data(Qt::ForegroundRole).isValid());

        // A holding at a loss is green, with the disc of a price between its targets.
        clickNode(account(1));
        QCOMPARE(controller_->selectedNode(), std::optional<int>(2));
        QCOMPARE(foreground("lsvBuy", 1), QColor(0, 128, 0));
        QCOMPARE(rowsOf("lsvBuy").value(1).section('\t', 0, 1), QString("3\t600002"));
    }

    void selectingTheGroupMergesItsOpenedAccounts() {
        clickNode(group());
        QCOMPARE(controller_->selectedNode(), std::optional<int>(0));
        QCOMPARE(tree()->toolTip(), QString("zrdata"));
        // Only account one has been opened so far.
        QCOMPARE(rowsOf("lsvFund").size(), 3);
        QCOMPARE(panelTexts().value(0), QString("   98000.00"));
        clickNode(account(1));
        QCOMPARE(rowsOf("lsvFund"), QStringList({"13\t24-03-01\t存入\t资金存入\t5000.00\t\t\t"}));
        clickNode(group());
        QCOMPARE(rowsOf("lsvFund").size(), 4);
        QCOMPARE(rowsOf("lsvBuy").size(), 3);
        QCOMPARE(panelTexts().value(0), QString("  103000.00"));
        QVERIFY(!window_->action("mnuEditAcc")->isEnabled());
        QVERIFY(!window_->action("mnuBuyStk")->isEnabled());
    }

    void addingAnAccountSelectsItsNewNode() {
        struct {
            QString caption;
        } seen;
        onDialog([&](QDialog* dialog) {
            seen.caption = dialog->windowTitle();
            auto* title = t::findWidget<QLineEdit>(dialog, field_id::kTitle);
            title->setFocus();
            title->selectAll();
            t::typeText(title, "三号");
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        tree()->setFocus();
        QTest::keySequence(window_.get(), QKeySequence("F7"));
        QCOMPARE(seen.caption, QString("添加帐户"));
        QCOMPARE(treeModel()->rowCount(group()), 3);
        QCOMPARE(account(2).data().toString(), QString("三号"));
        QCOMPARE(tree()->currentIndex(), account(2));
        QCOMPARE(controller_->selectedNode(), std::optional<int>(3));
        QVERIFY(dir_->exists("zrdata/zr_00003.acc"));
        // The new account is empty.
        QCOMPARE(rowsOf("lsvBuy"),
                 QStringList({"16\t统计\t持有股票\t0\t\t0.00\t\t0.00\t0.00\t0.00%\t\t\t\t\t"}));
        QCOMPARE(rowsOf("lsvRec"), QStringList());
    }

    void deletingAnAccountSelectsTheNodeInItsPlace() {
        QString caption;
        onDialog([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        tree()->setFocus();
        QTest::keySequence(window_.get(), QKeySequence("Ctrl+D"));
        QCOMPARE(caption, QString("删除帐户"));
        QVERIFY(!dir_->exists("zrdata/zr_00001.acc"));
        QCOMPARE(treeModel()->rowCount(group()), 1);
        QCOMPARE(tree()->currentIndex(), account(0));
        QCOMPARE(account(0).data().toString(), QString("二号"));
        QCOMPARE(rowsOf("lsvFund").size(), 1);
    }

    void doubleClickEditsTheAccountButNotTheGroup() {
        QString caption;
        onDialog([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            auto* title = t::findWidget<QLineEdit>(dialog, field_id::kTitle);
            t::typeInto(title, "first");
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        doubleClickNode(account(0));
        QCOMPARE(caption, QString("修改帐户"));
        QCOMPARE(account(0).data().toString(), QString("first"));

        clickNode(group());
        ui_.showDialogs = false;
        const int dialogsBefore = ui_.dialogsRun;
        doubleClickNode(group());
        QCOMPARE(ui_.dialogsRun, dialogsBefore);
    }

    void doubleClickEditsATransaction() {
        QString caption;
        onDialog([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            t::typeInto(t::findWidget<QLineEdit>(dialog, field_id::kFee), "91");
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        QTableView* trades = find<QTableView>("lsvRec");
        doubleClick(trades, trades->model()->index(0, 1));
        QCOMPARE(caption, QString("修改交易"));
        QCOMPARE(rowsOf("lsvRec").value(0),
                 QString("6\t24-01-03\t600001\t邯郸钢铁\t买入\t1000\t10.00\t91.00\t-10091.00\t\t"));
        QCOMPARE(rowsOf("lsvBuy").value(1).section('\t', 5, 5), QString("10091.00"));
    }

    void askingForPasswordsLocksTheAccounts() {
        onDialog([](QDialog* dialog) {
            QTest::mouseClick(t::findWidget<QCheckBox>(dialog, field_id::kWantPassword),
                              Qt::LeftButton);
            QTest::mouseClick(t::findWidget<QPushButton>(dialog, field_id::kOk), Qt::LeftButton);
        });
        window_->action("mnuOption")->trigger();
        // The rebuilt tree selects its group, whose accounts wait for their passwords.
        QCOMPARE(tree()->currentIndex(), group());
        QCOMPARE(imageIndexOf(account(0).data(Qt::DecorationRole)), 17);
        QCOMPARE(imageIndexOf(account(1).data(Qt::DecorationRole)), 17);
        QVERIFY(tree()->isExpanded(group()));
        QVERIFY(window_->action("mnuEditPwd")->isVisible());
        QCOMPARE(rowsOf("lsvFund"), QStringList());
    }

    void editingTheGroupLabelRenamesTheGroup() {
        // An account's label cannot be edited.
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_F2);
        QVERIFY(!tree()->viewport()->findChild<QLineEdit*>());

        clickNode(group());
        QTest::keyClick(tree(), Qt::Key_F2);
        auto* editor = tree()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        t::typeText(editor, "长线组");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor hands its text over after the key
        QCOMPARE(group().data().toString(), QString("长线组"));
        QCOMPARE(tallivan::readGroupName(*files_, "zrdata"),
                 std::optional<std::string>(gbk("长线组")));
        QCOMPARE(tree()->currentIndex(), group());
    }
};

QTEST_MAIN(LedgerViewTest)
#include "ledger_view_test.moc"
