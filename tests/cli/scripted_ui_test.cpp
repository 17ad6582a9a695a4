#include "scripted_ui.h"

#include <gtest/gtest.h>

#include <iostream>
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
    ui.expectDialog(DialogScript()
                        .typeAll({{field_id::kDirectory, "a;b"}})
                        .toggle(field_id::kWantPassword, true)
                        .press(field_id::kOk));
    OptionsForm form(ui, settings);
    EXPECT_TRUE(ui.runDialog(form));
    EXPECT_EQ(fieldText(settings.accountSearchDir, 51), "a;b");
    EXPECT_EQ(settings.wantPassword, 1);

    OptionsForm unscripted(ui, settings);
    EXPECT_FALSE(ui.runDialog(unscripted));  // a dialog without a script is cancelled

    InputForm input(ui, "c", "l", "", 0, 10);
    input.field(field_id::kText).readOnly = true;
    EXPECT_THROW(DialogScript().typeAll({{field_id::kText, "x"}}).runOn(input), UsageError);
}

TEST(ScriptedUi, RefusesANameTheFormDoesNotHave) {
    ScriptedUi ui(std::cerr);
    Settings settings = defaultSettings();
    const struct {
        const char* name;
        DialogScript script;
    } cases[] = {
        {"typed", DialogScript().typeAll({{"txtDri", "a"}}).press(field_id::kOk)},
        {"pressed", DialogScript().press("cmdOK")},
        {"toggled", DialogScript().toggle("chkWantPassword", true).press(field_id::kOk)},
        {"chosen", DialogScript().select("grpOptions", 1).press(field_id::kOk)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsForm form(ui, settings);
        EXPECT_THROW(c.script.runOn(form), std::out_of_range);
        EXPECT_TRUE(form.isOpen());  // nothing before the misspelt step was taken either
    }
    EXPECT_EQ(fieldText(settings.accountSearchDir, 51),
              fieldText(defaultSettings().accountSearchDir, 51));
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
