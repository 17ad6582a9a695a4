#include <gtest/gtest.h>

#include "base/gbk.h"
#include "forms/edit_password_form.h"
#include "forms/input_form.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::RecordingUi;

TEST(InputForm, PasswordPromptIsMaskedAndTakesTheTextAsTyped) {
    RecordingUi ui;
    ui.onDialog = [](Form& form) {
        EXPECT_EQ(form.caption(), gbk("请输入帐户密码"));
        EXPECT_EQ(form.field(field_id::kText).label, gbk("帐户密码:"));
        EXPECT_TRUE(form.field(field_id::kText).masked);
        EXPECT_EQ(form.field(field_id::kText).text, "");
        form.type(field_id::kText, "SeCret123");  // 9 characters: the edit keeps 8
        form.press(field_id::kOk);
    };
    std::string password = "stale";
    EXPECT_EQ(promptPassword(ui, password), 1);
    EXPECT_EQ(password, "SeCret12");  // case kept
}

TEST(InputForm, CancelLeavesTheBufferAndAMinimumLengthKeepsItOpen) {
    RecordingUi ui;
    ui.onDialog = [](Form& form) {
        EXPECT_FALSE(form.field(field_id::kText).masked);  // mode 0: plain text
        form.press(field_id::kCancel);
    };
    std::string buffer = "100";
    EXPECT_EQ(promptText(ui, "c", "l", buffer, 0, 10), 2);
    EXPECT_EQ(buffer, "100");

    ui.onDialog = [](Form& form) {
        EXPECT_TRUE(form.field(field_id::kText).masked);
        EXPECT_EQ(form.field(field_id::kText).text, "100");
        form.type(field_id::kText, "12");
        form.press(field_id::kOk);
        EXPECT_TRUE(form.isOpen()) << "mode 3 needs three characters";
        EXPECT_EQ(form.focusRequest(), field_id::kText);
        form.type(field_id::kText, "1234");
        form.press(field_id::kOk);
    };
    EXPECT_EQ(promptText(ui, "c", "l", buffer, 3, 10), 1);
    EXPECT_EQ(buffer, "1234");
    EXPECT_TRUE(ui.messages.empty());
}

struct PasswordCase {
    const char* oldText;
    const char* newText;
    const char* again;
    const char* message;  // empty: accepted
    const char* focus;
};

TEST(EditPasswordForm, ChecksInOrderAndStoresTheNewPassword) {
    const PasswordCase cases[] = {
        {"", "abc", "abc", "密码应为空或长度6-8位!", field_id::kNewPassword},
        {"", "abcdef", "abcdeg", "新密码输入错!", field_id::kNewPassword},
        {"", "", "", "新密码输入错!", field_id::kNewPassword},
        {"wrong1", "abcdef", "abcdef", "原密码输入错!", field_id::kOldPassword},
        {"", "abcdef", "abcdef", "", ""},
        {"", "ABCDEFGH", "abcdefgh", "", ""},  // typed letters become lower case
    };
    for (const PasswordCase& c : cases) {
        RecordingUi ui;
        PasswordBytes password{};  // an account without password
        EditPasswordForm form(ui, password);
        form.type(field_id::kOldPassword, c.oldText);
        form.type(field_id::kNewPassword, c.newText);
        form.type(field_id::kNewPasswordAgain, c.again);
        form.press(field_id::kOk);
        if (*c.message) {
            ASSERT_EQ(ui.messages.size(), 1u) << c.newText;
            EXPECT_EQ(ui.messages[0].text, gbk(c.message));
            EXPECT_EQ(ui.messages[0].caption, gbk("错误"));
            EXPECT_EQ(form.focusRequest(), c.focus);
            EXPECT_TRUE(form.isOpen());
            EXPECT_EQ(password, PasswordBytes{});
        } else {
            EXPECT_TRUE(ui.messages.empty()) << c.newText;
            EXPECT_EQ(form.result(), Form::Result::Ok);
            EXPECT_EQ(password, passwordBytes(lowerAscii(c.newText)));
        }
    }
}

TEST(EditPasswordForm, TheOldPasswordMustMatchAllEightBytes) {
    RecordingUi ui;
    PasswordBytes password = passwordBytes("abcdefgh");
    EditPasswordForm form(ui, password);
    form.type(field_id::kOldPassword, "ABCDEFGH");  // lower-cased as typed: matches
    form.type(field_id::kNewPassword, "newpass1");
    form.type(field_id::kNewPasswordAgain, "newpass1");
    form.press(field_id::kOk);
    EXPECT_EQ(form.result(), Form::Result::Ok);
    EXPECT_EQ(password, passwordBytes("newpass1"));
    EXPECT_EQ(passwordBytes("abc")[3], '\0');
}

}  // namespace
}  // namespace tallivan
