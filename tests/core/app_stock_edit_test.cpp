#include <gtest/gtest.h>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "forms/form.h"
#include "support/faulty_file_system.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;

struct StockApp {
    explicit StockApp(DataDir& data) : fs(data.path()), controller(ui, fs, clock) {
        testing::writeSampleNames(data);
        path = data.account("zrdata", 1, "one", testing::sampleLedger());
        controller.start();
    }

    std::string text(LedgerList list, int row, int column) const {
        return std::string(
            controller.lists().rows(list)[static_cast<std::size_t>(row)].text(column));
    }

    testing::FaultyFileSystem fs;
    testing::RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
    std::string path;
};

TEST(EditStockCommand, NeedsAStockRow) {
    DataDir data;
    StockApp app(data);
    app.controller.editStock();  // the summary row is selected after opening
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("请先选择股票!"));
    EXPECT_EQ(app.ui.dialogsRun, 0);
}

TEST(EditStockCommand, TargetsFromALossAndAProfitRatioAreStoredWithTheMemo) {
    DataDir data;
    StockApp app(data);
    app.controller.selectRow(LedgerList::Holdings, 1);
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kMemo, gbk("止损"));
        testing::typeAndLeave(form, field_id::kCurrentPrice, "11");
        testing::typeAndLeave(form, field_id::kLoss, "-500");
        form.press(field_id::kCalculateLoss);
        EXPECT_EQ(form.field(field_id::kStopLossPrice).text, "9.66");
        testing::typeAndLeave(form, field_id::kProfitRatio, "10");
        form.press(field_id::kCalculateProfitRatio);
        EXPECT_EQ(form.field(field_id::kTakeProfitPrice).text, "11.18");
        EXPECT_EQ(form.field(field_id::kProfit).text, "1009.15");
        form.press(field_id::kOk);
    };
    const std::string netValueBefore = app.controller.totalsPanel().texts[5];
    app.controller.editStock();
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 6), "11.00");
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 11), "9.66");
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 12), "11.18");
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 14), gbk("止损"));
    // The panel follows the new current price at once.
    EXPECT_NE(app.controller.totalsPanel().texts[5], netValueBefore);

    const auto stored = readAccount(data.fs(), app.path, Password{}, true);
    const StockRecord stock = stored.slots[2].as<StockRecord>();
    EXPECT_EQ(stock.price, 11000);
    EXPECT_EQ(stock.stopLossPrice, 9660);
    EXPECT_EQ(stock.takeProfitPrice, 11180);
    EXPECT_EQ(stock.cost, 10081000);
    EXPECT_EQ(fieldText(stored.slots[3].as<NoteRecord>().memo, 31), gbk("止损"));
    EXPECT_EQ(stored.slots[3].kindState(), 0x41);

    // Opened again, the rows are what the command showed.
    const std::string shown = app.text(LedgerList::Holdings, 1, 7);
    app.controller.selectNode(1);
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 7), shown);
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 14), gbk("止损"));
}

TEST(EditStockCommand, TheSoldListWhileItHasTheFocus) {
    DataDir data;
    StockApp app(data);
    app.controller.selectRow(LedgerList::Sold, 1);
    app.controller.setFocusedList(LedgerList::Sold);
    app.ui.onDialog = [](Form& form) {
        EXPECT_FALSE(form.field(field_id::kMemo).enabled);  // the sold position has no note slot
        EXPECT_FALSE(form.field(field_id::kCurrentPrice).visible);
        form.press(field_id::kOk);
    };
    const auto before = data.dir().read("zrdata/zr_00001.acc");
    app.controller.editStock();
    EXPECT_EQ(app.ui.dialogsRun, 1);
    EXPECT_EQ(app.text(LedgerList::Sold, 1, 1), "0001");
    EXPECT_EQ(app.text(LedgerList::Sold, 1, 7), "5500.00");
    // The sold record's price and take-profit fields are rewritten as 0, nothing else moves.
    const auto stored = readAccount(data.fs(), app.path, Password{}, true);
    const StockRecord sold = stored.slots[5].as<StockRecord>();
    EXPECT_EQ(sold.proceeds, 5500000);
    EXPECT_EQ(sold.cost, 5000000);
    EXPECT_EQ(data.dir().read("zrdata/zr_00001.acc").size(), before.size());
}

TEST(EditStockCommand, AFailedWriteIsReportedAndTheRowKept) {
    DataDir data;
    StockApp app(data);
    app.controller.selectRow(LedgerList::Holdings, 1);
    app.fs.changesLeft = 0;
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kCurrentPrice, "12");
        form.press(field_id::kOk);
    };
    app.controller.editStock();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, writeFailedMessage(app.path));
    EXPECT_EQ(app.text(LedgerList::Holdings, 1, 6), "10.50");
}

}  // namespace
}  // namespace tallivan
