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
        EXPECT_EQ(form.field("txtText").label, gbk("帐户密码:"));
        EXPECT_TRUE(form.field("txtText").masked);
        EXPECT_EQ(form.field("txtText").text, "");
        form.type("txtText", "SeCret123");  // 9 characters: the edit keeps 8
        form.press("cmdOk");
    };
    std::string password = "stale";
    EXPECT_EQ(promptPassword(ui, password), 1);
    EXPECT_EQ(password, "SeCret12");  // case kept
}

TEST(InputForm, CancelLeavesTheBufferAndAMinimumLengthKeepsItOpen) {
    RecordingUi ui;
    ui.onDialog = [](Form& form) {
        EXPECT_FALSE(form.field("txtText").masked);  // mode 0: plain text
        form.press("cmdCancel");
    };
    std::string buffer = "100";
    EXPECT_EQ(promptText(ui, "c", "l", buffer, 0, 10), 2);
    EXPECT_EQ(buffer, "100");

    ui.onDialog = [](Form& form) {
        EXPECT_TRUE(form.field("txtText").masked);
        EXPECT_EQ(form.field("txtText").text, "100");
        form.type("txtText", "12");
        form.press("cmdOk");
        EXPECT_TRUE(form.isOpen()) << "mode 3 needs three characters";
        EXPECT_EQ(form.focusRequest(), "txtText");
        form.type("txtText", "1234");
        form.press("cmdOk");
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
        {"", "abc", "abc", "密码应为空或长度6-8位!", "txtNewPwd"},
        {"", "abcdef", "abcdeg", "新密码输入错!", "txtNewPwd"},
        {"", "", "", "新密码输入错!", "txtNewPwd"},
        {"wrong1", "abcdef", "abcdef", "原密码输入错!", "txtOldPwd"},
        {"", "abcdef", "abcdef", "", ""},
        {"", "ABCDEFGH", "abcdefgh", "", ""},  // typed letters become lower case
    };
    for (const PasswordCase& c : cases) {
        RecordingUi ui;
        PasswordBytes password{};  // an account without password
        EditPasswordForm form(ui, password);
        form.type("txtOldPwd", c.oldText);
        form.type("txtNewPwd", c.newText);
        form.type("txtNewPwdAgain", c.again);
        form.press("cmdOk");
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
    form.type("txtOldPwd", "ABCDEFGH");  // lower-cased as typed: matches
    form.type("txtNewPwd", "newpass1");
    form.type("txtNewPwdAgain", "newpass1");
    form.press("cmdOk");
    EXPECT_EQ(form.result(), Form::Result::Ok);
    EXPECT_EQ(password, passwordBytes("newpass1"));
    EXPECT_EQ(passwordBytes("abc")[3], '\0');
}

}  // namespace
}  // namespace tallivan
