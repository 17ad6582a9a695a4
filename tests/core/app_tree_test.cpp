#include <gtest/gtest.h>

#include <set>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "forms/form.h"
#include "storage/account_scrambling.h"
#include "storage/group_marker.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::RecordingUi;

struct App {
    explicit App(DataDir& data) : controller(ui, data.fs(), clock) {}

    // Every password prompt gets `password`; without one it is cancelled.
    void answerPasswords(std::optional<std::string> password) {
        ui.onDialog = [this, password](Form& form) {
            ++prompts;
            if (form.caption() == gbk("请输入帐户密码") && password) {
                form.type(field_id::kText, *password);
                form.press(field_id::kOk);
            }
        };
    }

    std::vector<std::string> treeLines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < controller.tree().size(); ++i) {
            const TreeNode& n = controller.tree().node(i);
            lines.push_back((n.isGroup ? "group " : "account ") + n.path + " " + n.text);
        }
        return lines;
    }

    std::size_t rowCount(LedgerList list) const { return controller.lists().rows(list).size(); }

    RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1800000000};
    Controller controller;
    int prompts = 0;
};

void searchDirs(DataDir& data, const std::string& dirs, bool wantPassword = false) {
    data.settings([&](Settings& s) {
        copyToField(s.accountSearchDir, sizeof s.accountSearchDir, dirs);
        s.wantPassword = wantPassword ? 1 : 0;
    });
}

TEST(AccountTree, GroupsInReverseListOrderWithTheirValidAccounts) {
    DataDir data;
    searchDirs(data, "a;b;c");
    data.fs().makeDirectory("b");
    data.fs().makeDirectory("c");
    ASSERT_TRUE(writeGroupName(data.fs(), "c", gbk("丙组")));
    data.account("a", 1, gbk("一号"), {});
    data.dir().write("a/zr_00002.acc", std::string(200, 'x'));  // another magic
    data.dir().write("a/zr_00003.acc", data.dir().read("a/zr_00001.acc").substr(0, 131));
    data.dir().write("a/zr_00004.txt", data.dir().read("a/zr_00001.acc"));  // not "*.acc"
    data.dir().write("a/zrstk.grp", gbk("甲") + std::string("\0junk", 5));

    App app(data);
    app.controller.start();
    EXPECT_EQ(app.treeLines(), (std::vector<std::string>{
                                   "group c " + gbk("丙组"),
                                   "group b " + gbk("帐户组"),
                                   "group a " + gbk("甲"),
                                   "account a/zr_00001.acc " + gbk("一号"),
                               }));
}

TEST(AccountTree, EmptyItemsOfTheSearchListAreSkipped) {
    for (const char* dirs : {";;a", "a;", ";a;;"}) {
        DataDir data;
        searchDirs(data, dirs);
        data.fs().makeDirectory("a");
        App app(data);
        app.controller.start();
        EXPECT_EQ(app.treeLines(), std::vector<std::string>{"group a " + gbk("帐户组")}) << dirs;
    }
}

TEST(AccountTree, StartSelectsTheFirstAccountOrTheFirstGroupWithPasswords) {
    const struct {
        const char* dirs;
        bool accounts;
        bool wantPassword;
        std::optional<int> selected;
    } cases[] = {
        {"", false, false, std::nullopt},  // no directory: nothing to select
        {"a", false, false, 0},            // a lone group
        {"a", true, false, 1},             // the first account of the first group
        {"a", true, true, 0},              // passwords wanted: the first group, nothing asked
    };
    for (const auto& c : cases) {
        DataDir data;
        searchDirs(data, c.dirs, c.wantPassword);
        data.fs().makeDirectory("a");
        if (c.accounts)
            data.account("a", 1, "one", testing::sampleLedger());
        App app(data);
        app.answerPasswords(std::nullopt);
        app.controller.start();
        EXPECT_EQ(app.controller.selectedNode(), c.selected) << c.dirs << c.wantPassword;
        EXPECT_EQ(app.prompts, 0);
        const bool openedAccount = c.selected == 1;
        EXPECT_EQ(app.rowCount(LedgerList::Trades), openedAccount ? 2u : 0u);
        if (c.wantPassword) {
            EXPECT_EQ(app.controller.tree().node(1).image, kTreeImageLocked);
            EXPECT_FALSE(app.controller.commands().enabled(CommandId::EditAccount));
            EXPECT_TRUE(app.controller.commands().visible(CommandId::ChangePassword));
        }
    }
}

TEST(AccountTree, PasswordPromptOnOpening) {
    const struct {
        std::optional<std::string> typed;
        bool opens;
    } cases[] = {
        {std::string("secret12"), true},   // all 8 bytes
        {std::string("SECRET12"), false},  // case is kept as typed
        {std::string("secret1"), false},
        {std::nullopt, false},  // the prompt cancelled
    };
    for (const auto& c : cases) {
        DataDir data;
        searchDirs(data, "a", true);
        data.account("a", 1, "one", testing::sampleLedger(), "secret12");
        App app(data);
        app.controller.start();
        app.answerPasswords(c.typed);
        app.controller.selectNode(1);
        EXPECT_EQ(app.prompts, 1);
        const AccountNode& account = *app.controller.tree().node(1).account;
        EXPECT_EQ(account.unlocked, c.opens);
        EXPECT_EQ(app.rowCount(LedgerList::Trades), c.opens ? 2u : 0u);
        EXPECT_EQ(app.controller.commands().enabled(CommandId::EditAccount), c.opens);
        EXPECT_EQ(app.controller.commands().canRun(CommandId::Buy), c.opens);
        EXPECT_EQ(app.controller.tree().node(1).image, c.opens ? kTreeImage : kTreeImageLocked);
        EXPECT_TRUE(app.ui.messages.empty());  // a wrong password is not reported

        // A click asks again only while the account is locked.
        app.controller.clickNode();
        EXPECT_EQ(app.prompts, c.opens ? 1 : 2);
    }
}

TEST(AccountTree, GroupShowsOnlyTheAccountsOpenedBefore) {
    DataDir data;
    searchDirs(data, "a", true);
    data.account("a", 1, "one", testing::sampleLedger(), "secret12");
    data.account("a", 2, "two",
                 {LedgerRecord::of(testing::trade(kBuy, "600003", 100, 1000, 5000))});
    App app(data);
    app.controller.start();
    app.answerPasswords(std::string("secret12"));
    app.controller.selectNode(1);
    app.controller.selectNode(0);
    EXPECT_EQ(app.rowCount(LedgerList::Trades), 2u);
    EXPECT_TRUE(app.controller.labelsEditable());
    EXPECT_FALSE(app.controller.commands().enabled(CommandId::Buy));

    app.answerPasswords(std::string());  // the second account has no password
    app.controller.selectNode(2);
    EXPECT_EQ(app.rowCount(LedgerList::Trades), 1u);
    app.controller.selectNode(0);
    EXPECT_EQ(app.prompts, 2);  // the group asks for nothing
    ASSERT_EQ(app.rowCount(LedgerList::Trades), 3u);
    // Two stock rows from the first account, with the summary row; fund rows of it alone.
    EXPECT_EQ(app.rowCount(LedgerList::Holdings), 2u);
    EXPECT_EQ(app.rowCount(LedgerList::Funds), 3u);
    const auto owners = [&](LedgerList list) {
        std::set<const AccountNode*> seen;
        for (const LedgerRow& row : app.controller.lists().rows(list))
            if (row.ref)
                seen.insert(row.ref->owner);
        return seen.size();
    };
    EXPECT_EQ(owners(LedgerList::Trades), 2u);
}

TEST(AccountTree, OpeningSelectsTheSummaryRowsAndTheNewestTransactionAndMovement) {
    DataDir data;
    searchDirs(data, "zrdata");
    data.account("zrdata", 1, "one", testing::sampleLedger());
    App app(data);
    app.controller.start();
    EXPECT_EQ(app.controller.selectedRow(LedgerList::Holdings), 0);  // the summary row
    EXPECT_EQ(app.controller.selectedRow(LedgerList::Sold), 0);
    EXPECT_EQ(app.controller.focus().highlightCode, "");
    // The transaction read last (the older sale) no longer takes the selection along when the
    // newest-first sort moves it down: the list opens on its newest entry.
    ASSERT_EQ(app.controller.selectedRow(LedgerList::Trades), 0);
    EXPECT_EQ(app.controller.lists().rows(LedgerList::Trades)[0].ref->slotIndex, 1);
    ASSERT_EQ(app.controller.selectedRow(LedgerList::Funds), 0);
    EXPECT_EQ(app.controller.lists().rows(LedgerList::Funds)[0].text(fund_column::kDate),
              "24-02-02");
    const int opened = app.controller.openings();
    app.controller.selectNode(0);
    EXPECT_EQ(app.controller.openings(), opened + 1);

    app.controller.selectRow(LedgerList::Holdings, 1);
    EXPECT_EQ(app.controller.focus().highlightCode, "600001");
    EXPECT_EQ(app.controller.focus().currentAccount, app.controller.tree().node(1).account.get());
    app.controller.selectRow(LedgerList::Holdings, std::nullopt);
    EXPECT_EQ(app.controller.focus().highlightCode, "");
}

TEST(AccountCommands, AddTakesTheFirstFreeNumberAndOpensTheNewAccount) {
    DataDir data;
    searchDirs(data, "zrdata", true);
    data.account("zrdata", 1, "one", {});
    data.account("zrdata", 3, "three", {});
    App app(data);
    app.controller.start();
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.caption(), gbk("添加帐户"));
        EXPECT_EQ(form.field(field_id::kTitle).text, gbk("新帐户"));
        EXPECT_EQ(form.field(field_id::kStopLossRatio).text, "-5");
        EXPECT_EQ(form.field(field_id::kLowestTakeProfitPrice).text, "300");
        EXPECT_EQ(form.field(field_id::kYear).text, "2026");
        testing::typeAndLeave(form, field_id::kTitle, gbk("新的"));
        testing::typeAndLeave(form, field_id::kHighestStopLossPrice, "-250.5");
        form.press(field_id::kOk);
    };
    app.controller.addAccount();
    ASSERT_EQ(app.controller.tree().size(), 4);
    const TreeNode& added = app.controller.tree().node(3);
    EXPECT_EQ(added.path, "zrdata/zr_00002.acc");
    EXPECT_EQ(added.text, gbk("新的"));
    EXPECT_EQ(app.controller.selectedNode(), 3);
    EXPECT_TRUE(added.account->unlocked);
    EXPECT_EQ(added.image, kTreeImage);
    EXPECT_TRUE(app.controller.commands().enabled(CommandId::EditAccount));
    EXPECT_EQ(app.rowCount(LedgerList::Holdings), 1u);  // the summary row alone

    const auto stored = readAccount(data.fs(), added.path, Password{}, true);
    ASSERT_EQ(stored.status, AccountStatus::Ok);
    EXPECT_EQ(fieldText(stored.header.title, 11), gbk("新的"));
    EXPECT_EQ(double(stored.header.stopLossLimit), -250.5);
    EXPECT_EQ(int(stored.header.year) * 10000 + stored.header.month * 100 + stored.header.day,
              20261210);
    EXPECT_TRUE(stored.slots.empty());
}

TEST(AccountCommands, CommandsThatNeedAnAccountSaySo) {
    DataDir data;
    searchDirs(data, "zrdata");
    data.fs().makeDirectory("zrdata");
    App app(data);
    app.controller.start();  // a lone group, selected
    for (auto command :
         {&Controller::editAccount, &Controller::deleteAccount, &Controller::changePassword}) {
        app.ui.messages.clear();
        (app.controller.*command)();
        ASSERT_EQ(app.ui.messages.size(), 1u);
        EXPECT_EQ(app.ui.messages[0].text, gbk("请先选择帐户!"));
        EXPECT_EQ(app.ui.messages[0].caption, gbk("错误"));
    }
    EXPECT_EQ(app.ui.dialogsRun, 0);

    DataDir empty;
    searchDirs(empty, "");
    App none(empty);
    none.controller.start();
    none.controller.addAccount();
    ASSERT_EQ(none.ui.messages.size(), 1u);
    EXPECT_EQ(none.ui.messages[0].text, gbk("请选择新帐户所属的帐户组!"));
}

TEST(AccountCommands, EditRewritesTheHeaderAndKeepsTheSlots) {
    DataDir data;
    searchDirs(data, "zrdata");
    const std::string path = data.account("zrdata", 1, "one", testing::sampleLedger());
    App app(data);
    app.controller.start();
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.caption(), gbk("修改帐户"));
        EXPECT_EQ(form.field(field_id::kTitle).text, "one");
        testing::typeAndLeave(form, field_id::kTitle, "renamed");
        testing::typeAndLeave(form, field_id::kTakeProfitRatio,
                              "abc");                         // refused: the old value stays
        testing::typeAndLeave(form, field_id::kMonth, "-1");  // kept in 8 bits, unchecked
        form.press(field_id::kOk);
    };
    app.controller.editAccount();
    EXPECT_EQ(app.controller.tree().node(1).text, "renamed");
    const auto stored = readAccount(data.fs(), path, Password{}, true);
    ASSERT_EQ(stored.status, AccountStatus::Ok);
    EXPECT_EQ(fieldText(stored.header.title, 11), "renamed");
    EXPECT_EQ(double(stored.header.takeProfitRatio), 5.0);
    EXPECT_EQ(stored.header.month, 255);
    EXPECT_EQ(stored.slots.size(), testing::sampleLedger().size());
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, invalidValueMessage("abc"));

    // OK right after a refused entry is not taken: the dialog stays open on that field.
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kTitle, "again");
        testing::typeAndLeave(form, field_id::kHighestStopLossPrice, "1e999");
        form.press(field_id::kOk);
        EXPECT_TRUE(form.isOpen());
        EXPECT_EQ(form.focusRequest(), field_id::kHighestStopLossPrice);
    };
    app.controller.editAccount();
    EXPECT_EQ(app.controller.tree().node(1).text, "renamed");
    EXPECT_EQ(fieldText(readAccount(data.fs(), path, Password{}, true).header.title, 11),
              "renamed");
}

TEST(AccountCommands, DeleteRemovesTheFileAndSelectsANeighbour) {
    DataDir data;
    searchDirs(data, "zrdata");
    data.account("zrdata", 1, "one", testing::sampleLedger());
    const std::string last = data.account("zrdata", 2, "two", {});
    App app(data);
    app.controller.start();
    app.controller.selectNode(2);
    app.ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.caption(), gbk("删除帐户"));
        EXPECT_TRUE(form.field(field_id::kTitle).locked);
        form.press(field_id::kOk);
    };
    app.controller.deleteAccount();
    EXPECT_FALSE(data.fs().exists(last));
    EXPECT_EQ(app.controller.tree().size(), 2);
    EXPECT_EQ(app.controller.selectedNode(), 1);  // the last node went: the one before it
    EXPECT_EQ(app.rowCount(LedgerList::Trades), 2u);

    app.ui.onDialog = [](Form& form) { form.press(field_id::kCancel); };
    app.controller.deleteAccount();
    EXPECT_EQ(app.controller.tree().size(), 2);
}

TEST(AccountCommands, ChangePasswordThenOpenWithTheNewOne) {
    DataDir data;
    searchDirs(data, "zrdata", true);
    const std::string path = data.account("zrdata", 1, "one", testing::sampleLedger());
    App app(data);
    app.controller.start();
    app.answerPasswords(std::string());
    app.controller.selectNode(1);
    const auto before = data.dir().read(path).substr(kHeaderSize);

    const auto change = [&](const char* oldPw, const char* newPw, const char* again) {
        app.ui.messages.clear();
        app.ui.onDialog = [=](Form& form) {
            testing::typeAndLeave(form, field_id::kOldPassword, oldPw);
            testing::typeAndLeave(form, field_id::kNewPassword, newPw);
            testing::typeAndLeave(form, field_id::kNewPasswordAgain, again);
            form.press(field_id::kOk);
        };
        app.controller.changePassword();
        return app.ui.messages.empty() ? std::string() : app.ui.messages.back().text;
    };
    EXPECT_EQ(change("x", "abcdef", "abcdef"), gbk("原密码输入错!"));
    EXPECT_EQ(change("", "abc", "abc"), gbk("密码应为空或长度6-8位!"));
    EXPECT_EQ(change("", "ABCDEFG", "abcdefg"), gbk("密码修改成功!"));  // typed in lower case
    EXPECT_EQ(app.ui.messages.back().caption, gbk("提示"));
    EXPECT_EQ(data.dir().read(path).substr(kHeaderSize), before);  // no slot rewritten

    for (const auto& [typed, opens] : {std::pair{"abcdefg", true}, std::pair{"ABCDEFG", false}}) {
        App again(data);
        again.controller.start();
        again.answerPasswords(std::string(typed));
        again.controller.selectNode(1);
        EXPECT_EQ(again.rowCount(LedgerList::Trades), opens ? 2u : 0u) << typed;
    }
}

TEST(AccountCommands, GroupRenameStoresTenBytesOnACharacterBoundary) {
    const struct {
        std::string typed;
        std::string stored;
    } cases[] = {
        {gbk("一二三四五六"), gbk("一二三四五")},          // 12 bytes: the first 10
        {"a" + gbk("一二三四五"), "a" + gbk("一二三四")},  // never half a character
        {"short", "short"},
    };
    for (const auto& c : cases) {
        DataDir data;
        searchDirs(data, "zrdata");
        data.fs().makeDirectory("zrdata");
        App app(data);
        app.controller.start();
        app.controller.renameGroup(0, c.typed);
        EXPECT_EQ(app.controller.tree().node(0).text, c.stored);
        const std::string marker = data.dir().read("zrdata/zrstk.grp");
        ASSERT_EQ(marker.size(), 11u);
        EXPECT_EQ(marker.substr(0, marker.find('\0')), c.stored);
        app.controller.buildTree();
        EXPECT_EQ(app.controller.tree().node(0).text, c.stored);
    }
}

TEST(AccountCommands, OptionsCreateMissingDirectoriesWhenAsked) {
    for (const bool create : {true, false}) {
        DataDir data;
        searchDirs(data, "zrdata");
        data.fs().makeDirectory("zrdata");
        App app(data);
        app.controller.start();
        app.ui.answerYes = create;
        app.ui.onDialog = [](Form& form) {
            EXPECT_EQ(form.caption(), gbk("选项"));
            form.type(field_id::kDirectory, "zrdata;more");
            form.toggle(field_id::kWantPassword, true);
            form.press(field_id::kOk);
        };
        app.controller.options();
        ASSERT_EQ(app.ui.messages.size(), 1u);
        EXPECT_EQ(app.ui.messages[0].text, gbk("目录 “more” 不存在,是否创建?"));
        EXPECT_EQ(app.ui.messages[0].caption, gbk("确认"));
        EXPECT_EQ(data.fs().isDirectory("more"), create);
        EXPECT_EQ(app.treeLines().front(), "group more " + gbk("帐户组"));
        EXPECT_TRUE(app.controller.commands().visible(CommandId::ChangePassword));
        Settings saved = defaultSettings();
        loadSettings(data.fs(), saved);
        EXPECT_EQ(fieldText(saved.accountSearchDir, sizeof saved.accountSearchDir), "zrdata;more");
        EXPECT_EQ(saved.wantPassword, 1);
    }
}

TEST(StockNames, EditedAppendedAndCreated) {
    DataDir data;
    searchDirs(data, "");
    data.names({{"600001", gbk("旧名")}, {"1", gbk("平安")}});
    App app(data);
    app.controller.start();
    const auto name = [&](const std::string& code, const std::string& typed) {
        app.ui.messages.clear();
        app.ui.onDialog = [=](Form& form) {
            EXPECT_EQ(form.caption(), gbk("添加/更改证券名称"));
            testing::typeAndLeave(form, field_id::kCode, code);
            form.type(field_id::kTitle, typed);
            form.press(field_id::kOk);
        };
        app.controller.editStockName();
    };
    name("600001", gbk("新名称"));
    name("000002", gbk("万科"));
    EXPECT_EQ(app.controller.names().nameOf("600001"), gbk("新名称"));
    EXPECT_EQ(app.controller.names().nameOf("2"), gbk("万科"));
    EXPECT_EQ(data.dir().read(kNameTableFileName).size(), 36u);

    name("6a", "x");  // no decimal code: refused with the invalid-value message
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, invalidValueMessage("6a"));
    EXPECT_EQ(data.dir().read(kNameTableFileName).size(), 36u);

    DataDir fresh;
    searchDirs(fresh, "");
    App first(fresh);
    first.controller.start();
    first.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kCode, "600001");
        EXPECT_EQ(form.field(field_id::kTitle).text, "600001");  // no entry: the code itself
        form.type(field_id::kTitle, gbk("浦发"));
        form.press(field_id::kOk);
    };
    first.controller.editStockName();
    EXPECT_EQ(first.controller.names().nameOf("600001"), gbk("浦发"));
}

TEST(StockNames, AStoredNameShowsAtOnceInThePositionsAndTransactionsOfItsCode) {
    DataDir data;
    searchDirs(data, "zrdata");
    data.names(testing::sampleNames());
    data.account("zrdata", 1, "one", testing::sampleLedger());
    App app(data);
    app.controller.start();
    app.controller.selectNode(1);
    app.ui.onDialog = [](Form& form) {
        testing::typeAndLeave(form, field_id::kCode, "600001");
        form.type(field_id::kTitle, gbk("邯钢"));
        form.press(field_id::kOk);
    };
    app.controller.editStockName();
    const auto& lists = app.controller.lists();
    EXPECT_EQ(lists.rows(LedgerList::Holdings)[1].text(stock_column::kName), gbk("邯钢"));
    EXPECT_EQ(lists.rows(LedgerList::Trades)[0].text(trade_column::kCode + 1), gbk("邯钢"));
    // Other codes and the summary rows keep their texts.
    EXPECT_EQ(lists.rows(LedgerList::Holdings)[0].text(stock_column::kName), gbk("持有股票"));
    EXPECT_EQ(lists.rows(LedgerList::Sold)[1].text(stock_column::kName), gbk("平安"));
    EXPECT_EQ(lists.rows(LedgerList::Trades)[1].text(trade_column::kCode + 1), gbk("平安"));
}

}  // namespace
}  // namespace tallivan
