#include <gtest/gtest.h>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "forms/form.h"
#include "support/faulty_file_system.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;

struct FundApp {
    explicit FundApp(DataDir& data) : fs(data.path()), controller(ui, fs, clock) {
        path = data.account("zrdata", 1, "one", {});
        controller.start();
    }

    // Runs the fund dialog with the operation and the amount typed.
    void addFund(int operation, const std::optional<std::string>& amount, bool ok = true) {
        ui.onDialog = [=](Form& form) {
            testing::typeAndLeave(form, field_id::kTitle, gbk("工资"));
            form.select(field_id::kOperation, operation);
            if (amount)
                testing::typeAndLeave(form, field_id::kAmount, *amount);
            form.press(ok ? field_id::kOk : field_id::kCancel);
        };
        controller.addFund();
    }

    std::vector<std::string> fundRow(int index) const {
        const LedgerRow& row =
            controller.lists().rows(LedgerList::Funds)[static_cast<std::size_t>(index)];
        std::vector<std::string> texts;
        for (int c = 1; c < row.textCount(); ++c)
            texts.emplace_back(row.text(c));
        return texts;
    }

    const std::string& panel(int field) const {
        return controller.totalsPanel().texts[static_cast<std::size_t>(field)];
    }

    testing::FaultyFileSystem fs;
    testing::RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
    std::string path;
};

constexpr int kFundTotal = 0;
constexpr int kAdjustTotal = 1;

TEST(FundCommand, EachOperationStoresItsSignedAmount) {
    const struct {
        int operation;
        std::optional<std::string> typed;
        std::int32_t stored;
        const char* shown;
        const char* fundTotal;
        const char* adjustTotal;
    } cases[] = {
        {0, "10000", 10000000, "10000.00", "   10000.00", "       0.00"},
        {1, "500", -500000, "-500.00", "    -500.00", "       0.00"},
        {2, "30", -30000, "-30.00", "       0.00", "     -30.00"},
        {2, "-30", 30000, "30.00", "       0.00", "      30.00"},
        {2, std::nullopt, 0, "0.00", "       0.00", "       0.00"},  // the amount left as it was
    };
    for (const auto& c : cases) {
        DataDir data;
        FundApp app(data);
        app.addFund(c.operation, c.typed);
        ASSERT_EQ(app.controller.lists().rows(LedgerList::Funds).size(), 1u);
        const char* operations[] = {"资金存入", "资金支取", "资金增损"};
        EXPECT_EQ(app.fundRow(0),
                  (std::vector<std::string>{"26-12-10", gbk("工资"), gbk(operations[c.operation]),
                                            c.shown, "", "", ""}));
        EXPECT_EQ(app.controller.lists().rows(LedgerList::Funds)[0].image, 13 + c.operation);
        EXPECT_EQ(app.panel(kFundTotal), c.fundTotal);
        EXPECT_EQ(app.panel(kAdjustTotal), c.adjustTotal);
        const auto stored = readAccount(data.fs(), app.path, Password{}, true);
        ASSERT_EQ(stored.slots.size(), 1u);
        const FundRecord fund = stored.slots[0].as<FundRecord>();
        EXPECT_EQ(fund.kindState, 0x10 + c.operation);
        EXPECT_EQ(fund.amount, c.stored);
        EXPECT_EQ(fund.year * 10000 + fund.month * 100 + fund.day, 20261210);
    }
}

TEST(FundCommand, NewMovementsStandInDateOrderAndCancelAddsNothing) {
    DataDir data;
    FundApp app(data);
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kYear, "2025");
        testing::typeAndLeave(form, field_id::kAmount, "100");
        form.press(field_id::kOk);
    };
    app.controller.addFund();
    app.addFund(0, "200");  // dated today: the newest stands first
    app.addFund(0, "300", false);
    ASSERT_EQ(app.controller.lists().rows(LedgerList::Funds).size(), 2u);
    EXPECT_EQ(app.fundRow(0)[0], "26-12-10");
    EXPECT_EQ(app.fundRow(1)[0], "25-12-10");
    EXPECT_EQ(app.panel(kFundTotal), "     300.00");
}

TEST(FundCommand, AFailedWriteChangesNothing) {
    DataDir data;
    FundApp app(data);
    app.fs.changesLeft = 0;
    app.addFund(0, "10000");
    EXPECT_TRUE(app.controller.lists().rows(LedgerList::Funds).empty());
    EXPECT_EQ(app.panel(kFundTotal), "       0.00");
    // Said, naming the file, so a script or a person knows the deposit is not stored.
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, writeFailedMessage(app.path));
    EXPECT_EQ(app.ui.messages[0].caption, gbk("错误"));
}

TEST(DeleteFundCommand, AsksThenMarksTheSlotAndTakesTheRowsAmountOff) {
    DataDir data;
    FundApp app(data);
    app.addFund(0, "10000");
    app.addFund(1, "500");
    ASSERT_EQ(app.panel(kFundTotal), "    9500.00");

    app.ui.messages.clear();
    app.controller.selectRow(LedgerList::Funds, std::nullopt);
    app.controller.deleteFund();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, gbk("请先选择资金!"));

    // The withdrawal is the newer row only by its slot: both are dated today.
    const auto& rows = app.controller.lists().rows(LedgerList::Funds);
    const int withdrawal = rows[0].ref->slotIndex == 1 ? 0 : 1;
    app.controller.selectRow(LedgerList::Funds, withdrawal);
    app.ui.messages.clear();
    app.ui.answerYes = false;
    app.controller.deleteFund();
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text,
              gbk("该操作将删除 “26-12-10 工资 资金支取 -500.00”! 是否进行?"));
    EXPECT_EQ(app.ui.messages[0].caption, gbk("警告"));
    EXPECT_EQ(rows.size(), 2u);

    app.ui.answerYes = true;
    app.controller.deleteFund();
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(app.panel(kFundTotal), "   10000.00");
    const auto stored = readAccount(data.fs(), app.path, Password{}, true);
    ASSERT_EQ(stored.slots.size(), 2u);
    EXPECT_EQ(stored.slots[1].kindState(), 0xF1);  // deleted, its state kept
    EXPECT_EQ(stored.slots[1].as<FundRecord>().amount, -500000);

    // Opened again, the account shows what the lists showed.
    app.controller.selectNode(1);
    EXPECT_EQ(app.controller.lists().rows(LedgerList::Funds).size(), 1u);
    EXPECT_EQ(app.panel(kFundTotal), "   10000.00");
}

}  // namespace
}  // namespace tallivan
