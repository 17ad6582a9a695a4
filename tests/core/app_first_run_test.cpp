// A data directory used for the first time, and the hint the lists show while there is nothing
// in them.
#include <gtest/gtest.h>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "forms/form.h"
#include "ledger/fee_schedule.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::RecordingUi;

const std::string kHint = gbk("F7 添加帐户 → F8 存入资金 → F11 买入股票");

struct App {
    explicit App(DataDir& data) : controller(ui, data.fs(), clock) {}
    RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1800000000};
    Controller controller;
};

TEST(FirstRun, AnEmptyDirectoryGetsItsSearchDirectoryAndAGroupToAddAnAccountTo) {
    DataDir data;
    App app(data);
    app.controller.start(Controller::FirstRun::Prepare);
    EXPECT_TRUE(app.controller.firstRun());
    EXPECT_TRUE(data.fs().isDirectory("zrdata"));
    // Today's fee schedule, stored: a sale of 1000 shares of 600000 at 10.00 costs 10.10.
    Settings stored = defaultSettings();
    ASSERT_EQ(loadSettings(data.fs(), stored), SettingsLoad::Loaded);
    Settings today = defaultSettings();
    applyCurrentFeeSchedule(today);
    EXPECT_EQ(encodeSettings(stored), encodeSettings(today));
    EXPECT_EQ(app.controller.settings().categories[0].feeRules, today.categories[0].feeRules);
    ASSERT_EQ(app.controller.tree().size(), 1);
    EXPECT_TRUE(app.controller.tree().node(0).isGroup);
    EXPECT_EQ(app.controller.selectedNode(), 0);
    EXPECT_EQ(app.controller.emptyLedgerHint(), kHint);

    // F7 then works at once.
    app.ui.onDialog = [](Form& form) { form.press(field_id::kOk); };
    app.controller.addAccount();
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_TRUE(data.dir().exists("zrdata/zr_00001.acc"));
    EXPECT_EQ(app.controller.emptyLedgerHint(), kHint);  // the new account is empty
}

TEST(FirstRun, ADirectoryInUseIsLeftAsItIs) {
    // A settings file, or any search directory, means the directory has been used before.
    DataDir withSettings;
    withSettings.settings([](Settings&) {});
    App first(withSettings);
    first.controller.start(Controller::FirstRun::Prepare);
    EXPECT_FALSE(first.controller.firstRun());
    EXPECT_FALSE(withSettings.fs().exists("zrdata"));

    DataDir withGroup;
    withGroup.fs().makeDirectory("zrdata");
    App second(withGroup);
    second.controller.start(Controller::FirstRun::Prepare);
    EXPECT_FALSE(second.controller.firstRun());
    EXPECT_FALSE(withGroup.fs().exists(kSettingsFileName));
}

TEST(FirstRun, IsLeftAloneUnlessAsked) {
    DataDir data;
    App app(data);
    app.controller.start();
    EXPECT_FALSE(app.controller.firstRun());
    EXPECT_FALSE(data.fs().exists("zrdata"));
    ASSERT_EQ(app.controller.tree().size(), 1);  // the group of a directory not there
    EXPECT_EQ(app.controller.emptyLedgerHint(), kHint);
}

TEST(EmptyLedgerHint, GoesOnceTheAccountHoldsSomethingAndIsNotGivenForALockedOne) {
    DataDir data;
    data.settings([](Settings& s) { s.wantPassword = 1; });
    data.account("zrdata", 1, "one", {});
    App app(data);
    app.controller.start();
    // The group is selected and its account not yet opened: nothing to say about it.
    EXPECT_EQ(app.controller.selectedNode(), 0);
    EXPECT_EQ(app.controller.emptyLedgerHint(), "");

    app.ui.onDialog = [](Form& form) {
        if (form.caption() == gbk("请输入帐户密码"))
            form.press(field_id::kOk);  // no password set: the empty one
    };
    app.controller.selectNode(1);
    EXPECT_EQ(app.controller.emptyLedgerHint(), kHint);

    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kAmount, "1000");
        form.press(field_id::kOk);
    };
    app.controller.addFund();
    ASSERT_EQ(app.controller.lists().rows(LedgerList::Funds).size(), 1u);
    EXPECT_EQ(app.controller.emptyLedgerHint(), "");
}

}  // namespace
}  // namespace tallivan
