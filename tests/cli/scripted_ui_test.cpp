#include "scripted_ui.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/gbk.h"
#include "forms/input_form.h"
#include "forms/options_form.h"

namespace tallivan::cli {
namespace {

TEST(ScriptedUi, AnswersPasswordPromptsWithTheGivenPassword) {
    std::ostringstream err;
    ScriptedUi ui(err);
    std::string password;
    EXPECT_EQ(promptPassword(ui, password), 2);  // no --password: cancelled
    ui.setPassword("Secret88");
    EXPECT_EQ(promptPassword(ui, password), 1);
    EXPECT_EQ(password, "Secret88");
    EXPECT_EQ(promptPassword(ui, password), 1);  // every prompt, not only the first
    EXPECT_EQ(err.str(), "");
}

TEST(ScriptedUi, TypesInTabOrderAndRefusesReadOnlyFields) {
    std::ostringstream err;
    ScriptedUi ui(err);
    Settings settings = defaultSettings();
    ui.expectDialog(
        DialogScript().typeAll({{"txtDir", "a;b"}}).toggle("chkWantPwd", true).press("cmdOk"));
    OptionsForm form(ui, settings);
    EXPECT_TRUE(ui.runDialog(form));
    EXPECT_EQ(fieldText(settings.accountSearchDir, 51), "a;b");
    EXPECT_EQ(settings.wantPassword, 1);

    OptionsForm unscripted(ui, settings);
    EXPECT_FALSE(ui.runDialog(unscripted));  // a dialog without a script is cancelled

    InputForm input(ui, "c", "l", "", 0, 10);
    input.field("txtText").readOnly = true;
    EXPECT_THROW(DialogScript().typeAll({{"txtText", "x"}}).runOn(input), UsageError);
}

TEST(ScriptedUi, PrintsMessagesAndNotesErrors) {
    std::ostringstream err;
    ScriptedUi ui(err);
    EXPECT_EQ(
        ui.message(gbk("密码修改成功!"), gbk("提示"), MessageIcon::Information, MessageButtons::Ok),
        Answer::Ok);
    EXPECT_FALSE(ui.sawError());
    EXPECT_TRUE(askWarning(ui, gbk("删除?")));
    showError(ui, gbk("请先选择帐户!"));
    EXPECT_TRUE(ui.sawError());
    EXPECT_EQ(err.str(), "提示: 密码修改成功!\n警告: 删除?\n错误: 请先选择帐户!\n");
}

}  // namespace
}  // namespace tallivan::cli
