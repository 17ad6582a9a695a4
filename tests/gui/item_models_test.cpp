// Every item model of the main window checked by Qt's model tester while a person uses the
// window: selecting accounts and groups, sorting each list by each column, filtering and going
// back to the original order. The tester fails the test on any broken model contract (rows
// announced but not inserted, parents that do not match their children, bad indexes).
#include <QAbstractItemModelTester>
#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <set>

#include "support/qt_main_window.h"
#include "support/yes_qt_ui.h"

using tallivan::gbk;
using tallivan::LedgerRecord;
namespace t = tallivan::testing;

class ItemModelsTest : public t::MainWindowTest<t::YesQtUi> {
    Q_OBJECT

  private:
    // Puts a tester on every model a view of the window shows, and on the models behind them.
    void testEveryModel() {
        std::set<QAbstractItemModel*> tested;
        for (QAbstractItemView* view : window_->findChildren<QAbstractItemView*>()) {
            for (QAbstractItemModel* model = view->model(); model && !tested.count(model);) {
                tested.insert(model);
                new QAbstractItemModelTester(
                    model, QAbstractItemModelTester::FailureReportingMode::QtTest, this);
                auto* proxy = qobject_cast<QAbstractProxyModel*>(model);
                model = proxy ? proxy->sourceModel() : nullptr;
            }
        }
        QVERIFY(tested.size() >= 5);  // the tree and the four lists at least
    }

    void sortEveryColumn() {
        for (QTableView* list : window_->findChildren<QTableView*>()) {
            if (!list->isSortingEnabled())
                continue;
            for (int c = 0; c < list->model()->columnCount(); ++c) {
                list->sortByColumn(c, Qt::AscendingOrder);
                list->sortByColumn(c, Qt::DescendingOrder);
            }
        }
    }

  private Q_SLOTS:
    void theModelsKeepTheirContractInDailyUse() {
        makeDataDirectory();
        QVERIFY(writeAccount(
            1, "one",
            {LedgerRecord::of(
                 t::dated(t::fund(tallivan::kDeposit, gbk("存入"), 9000000, ""), 2024, 1, 2)),
             LedgerRecord::of(t::trade(tallivan::kBuy, "600001", 1000, 10000, 81000)),
             LedgerRecord::of(t::stock(tallivan::kHeldState, "600001", 1000, 10081000)),
             LedgerRecord::of(t::soldStock("000002", 500, 5000000, 5500000))}));
        QVERIFY(writeAccount(
            2, "two",
            {LedgerRecord::of(
                 t::dated(t::fund(tallivan::kWithdrawal, gbk("支取"), 100000, ""), 2024, 3, 1)),
             LedgerRecord::of(t::stock(tallivan::kHeldState, "600002", 100, 2000000))}));
        QVERIFY(showMainWindow());
        testEveryModel();

        clickNode(account(0));
        sortEveryColumn();
        clickNode(group());
        sortEveryColumn();
        auto* filter = find<QLineEdit>("txtFilter");
        QTest::keyClicks(filter, "600");
        QTest::keyClick(filter, Qt::Key_Return);
        sortEveryColumn();
        filter->clear();
        window_->showOriginalOrder();
        clickNode(account(1));
        clickNode(group());
        closeMainWindow();
    }
};

QTEST_MAIN(ItemModelsTest)
#include "item_models_test.moc"
