// The dialog laid out from a form's fields and its binding, driven with real keystrokes and
// clicks on the offscreen platform: typing rules, Enter and Esc, choices, the focus a form asks
// for, closing on the form's result; and the settings dialog opened through the desktop Ui.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/controller.h"
#include "base/gbk.h"
#include "forms/form.h"
#include "generic_dialog.h"
#include "qt_ui.h"
#include "support/qt_find_widget.h"
#include "support/qt_typing.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace field_id = tallivan::field_id;
using tallivan::Answer;
using tallivan::Field;
using tallivan::FieldKind;
using tallivan::Form;
using tallivan::gbk;
using tallivan::MessageButtons;
using tallivan::MessageIcon;
using tallivan::gui::GenericDialog;
using tallivan::testing::findWidget;
using tallivan::testing::typeInto;
using tallivan::testing::typeText;

namespace {

// A form with one field of each kind; it logs the events it receives.
class SampleForm : public Form {
  public:
    explicit SampleForm(tallivan::Ui& ui) : Form(ui, gbk("样例")) {
        Field& code = addEdit(field_id::kCode, gbk("代码"), 6);
        code.lowerCase = true;
        Field memo;
        memo.name = field_id::kMemo;
        memo.kind = FieldKind::Memo;
        memo.label = gbk("备注");
        memo.maxBytes = 8;
        add(memo);
        Field kind;
        kind.name = "rdoKind";
        kind.kind = FieldKind::Radio;
        kind.label = gbk("操作");
        kind.items = {gbk("存入"), gbk("支取"), gbk("增损")};
        kind.selected = 0;
        add(kind);
        Field save;
        save.name = "chkSave";
        save.kind = FieldKind::Check;
        save.label = gbk("保存");
        add(save);
        addEdit("txtHidden", gbk("隐藏")).visible = false;
        addEdit(field_id::kAmount, gbk("金额")).suffix = gbk("元");
        addButton(field_id::kOk, gbk("确定(&O)"));
        addButton(field_id::kCancel, gbk("取消(&C)"));
    }

    void onLeave(std::string_view name) override { log.push_back("leave " + std::string(name)); }
    void press(std::string_view name) override {
        log.push_back("press " + std::string(name));
        if (name == field_id::kCancel) {
            cancel();
        } else if (field(field_id::kCode).text.empty()) {
            tallivan::showError(ui(), gbk("请输入代码!"));
            requestFocus(field_id::kCode);
        } else {
            close(Result::Ok);
        }
    }

    std::vector<std::string> log;
};

// The desktop Ui with its message boxes recorded instead of shown.
class QuietQtUi : public tallivan::gui::QtUi {
  public:
    Answer message(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        return Answer::Ok;
    }
    std::vector<tallivan::testing::ShownMessage> messages;
};

// Clicks a radio button or check box on its box (only the box and its text take clicks).
void clickBox(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

}  // namespace

class GenericDialogTest : public QObject {
    Q_OBJECT

  private:
    tallivan::testing::RecordingUi ui_;
    std::unique_ptr<SampleForm> form_;
    std::unique_ptr<GenericDialog> dialog_;

    template <typename T>
    T* find(const char* name) {
        return findWidget<T>(dialog_.get(), name);
    }

  private Q_SLOTS:
    void init() {
        ui_.messages.clear();
        form_ = std::make_unique<SampleForm>(ui_);
        dialog_ = std::make_unique<GenericDialog>(*form_, nullptr);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }

    void cleanup() {
        dialog_.reset();
        form_.reset();
    }

    void typingKeepsTheFieldsRulesAndEnterMovesOn() {
        auto* code = find<QLineEdit>(field_id::kCode);
        code->setFocus();
        QTest::keyClicks(code, "ABCDEFGH");
        QCOMPARE(code->text(), QString("abcdef"));  // lower case, 6 bytes
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(form_->field(field_id::kCode).text, std::string("abcdef"));
        QCOMPARE(form_->log.back(), std::string("leave txtCode"));

        auto* memo = find<QPlainTextEdit>(field_id::kMemo);
        QCOMPARE(QApplication::focusWidget(), memo);
        typeText(memo, "一二三四五");
        QCOMPARE(memo->toPlainText(), QString("一二三四"));  // 8 bytes of GBK
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(form_->field(field_id::kMemo).text, gbk("一二三四"));
        QVERIFY(QApplication::focusWidget() != memo);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), find<QWidget>("rdoKind"));
    }

    void choicesFlowIntoTheForm() {
        QCOMPARE(find<QRadioButton>("rdoKind_0")->isChecked(), true);
        clickBox(find<QRadioButton>("rdoKind_2"));
        QCOMPARE(form_->field("rdoKind").selected, 2);
        clickBox(find<QCheckBox>("chkSave"));
        QVERIFY(form_->field("chkSave").checked);

        QVERIFY(!find<QLineEdit>("txtHidden")->isVisible());
        for (auto* label : dialog_->findChildren<QLabel*>()) {
            if (label->text() == "隐藏")
                QVERIFY(!label->isVisible());
        }
        bool suffixShown = false;
        for (auto* label : dialog_->findChildren<QLabel*>())
            suffixShown = suffixShown || (label->text() == "元" && label->isVisible());
        QVERIFY(suffixShown);
    }

    void okStaysOpenUntilTheFormCloses() {
        auto* code = find<QLineEdit>(field_id::kCode);
        QTest::mouseClick(find<QPushButton>(field_id::kOk), Qt::LeftButton);
        QCOMPARE(ui_.messages.size(), size_t(1));
        QCOMPARE(ui_.messages[0].caption, gbk("错误"));
        QVERIFY(dialog_->isVisible());
        QCOMPARE(QApplication::focusWidget(), code);

        QTest::keyClicks(code, "600000");
        QTest::mouseClick(find<QPushButton>(field_id::kOk), Qt::LeftButton);
        // The code was left (and typed into the form) before the button was pressed.
        QCOMPARE(form_->log[form_->log.size() - 2], std::string("leave txtCode"));
        QCOMPARE(form_->log.back(), std::string("press cmdOk"));
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QCOMPARE(form_->result(), Form::Result::Ok);
    }

    void enterOnAButtonPressesIt() {
        auto* cancel = find<QPushButton>(field_id::kCancel);
        cancel->setFocus(Qt::TabFocusReason);
        QTest::keyClick(cancel, Qt::Key_Return);
        QCOMPARE(form_->result(), Form::Result::Cancel);
        QVERIFY(!dialog_->isVisible());
    }

    void escapeCancelsTheForm() {
        QTest::keyClick(find<QLineEdit>(field_id::kCode), Qt::Key_Escape);
        QCOMPARE(form_->result(), Form::Result::Cancel);
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    }

    void settingsDialogRunsThroughTheDesktopUi() {
        dialog_->close();  // only the settings dialog on the screen
        tallivan::testing::TempDir dir;
        tallivan::PosixFileSystem files(dir.path());
        tallivan::FixedClock clock({2026, 12, 10});
        QuietQtUi ui;
        tallivan::Controller controller(ui, files, clock);
        controller.start();

        struct {
            QString caption;
            int rows = 0;
            QString lengthAfterLetters, rateAfterLeaving;
            bool focusBackOnLength = false, focusOnListAfterApply = false;
        } seen;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !QTest::qWaitForWindowActive(dialog))
                return;
            auto type = [&](const char* name, const QString& keys) {
                return typeInto(findWidget<QLineEdit>(dialog, name), keys);
            };
            seen.caption = dialog->windowTitle();
            seen.rows = dialog->findChild<QListWidget*>(field_id::kCategoryList)->count();
            QLineEdit* length = type(field_id::kCodeLength, "abc");
            seen.lengthAfterLetters = length->text();
            seen.focusBackOnLength = QApplication::focusWidget() == length;
            type(field_id::kCodeLength, "263");
            seen.rateAfterLeaving = type(field_id::kCommissionRate, "0.075")->text();
            QTest::mouseClick(dialog->findChild<QPushButton*>(field_id::kOk), Qt::LeftButton);
            seen.focusOnListAfterApply = QApplication::focusWidget() ==
                                         dialog->findChild<QListWidget*>(field_id::kCategoryList);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        // Whatever happens above, no dialog outlives the test.
        QTimer::singleShot(10000, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        controller.configure();

        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(seen.caption, QString("设置参数"));
        QCOMPARE(seen.rows, 20);
        QCOMPARE(ui.messages.size(), size_t(1));
        QCOMPARE(ui.messages[0].text, gbk("'abc' 为无效值,请重新输入！"));
        QCOMPARE(seen.lengthAfterLetters, QString("6"));
        QVERIFY(seen.focusBackOnLength);
        QCOMPARE(seen.rateAfterLeaving, QString("0.08"));
        QVERIFY(seen.focusOnListAfterApply);
        // 263 keeps its low 8 bits; the applied row was saved.
        QCOMPARE(int(controller.settings().categories[0].codeLength), 7);
        QCOMPARE(controller.settings().categories[0].commissionRate, 0.08);
        QVERIFY(dir.exists("zrstk.cfg"));
    }
};

QTEST_MAIN(GenericDialogTest)
#include "generic_dialog_test.moc"
