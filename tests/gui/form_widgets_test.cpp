// Every field of every form has its widget in the form's view, and every input widget of a view
// is a field of its form: a view and a form that spell a name differently fail here.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <set>

#include "budget_panel.h"
#include "dialog_views.h"
#include "form_binder.h"
#include "forms/account_form.h"
#include "forms/budget_form.h"
#include "forms/config_form.h"
#include "forms/edit_password_form.h"
#include "forms/fund_form.h"
#include "forms/import_form.h"
#include "forms/input_form.h"
#include "forms/options_form.h"
#include "forms/price_source_form.h"
#include "forms/stock_code_form.h"
#include "forms/stock_edit_form.h"
#include "forms/trade_form.h"
#include "support/recording_ui.h"

using namespace tallivan;

namespace {

// What each form reads, kept alive while its view is open.
struct FormInputs {
    testing::RecordingUi ui;
    Settings settings = defaultSettings();
    NameTable names;
    AccountHeader header{};
    FundRecord fund{};
    StockRecord stock{};
    NoteRecord note{};
    TradeRecord trade{};
    PasswordBytes password{};
    StatementPreview preview;
    Date today{2026, 12, 10};
};

using MakeForm = std::function<std::unique_ptr<Form>(FormInputs&)>;

struct FormCase {
    const char* name;
    MakeForm make;
};

const FormCase kForms[] = {
    {"account",
     [](FormInputs& in) {
         return std::make_unique<AccountForm>(in.ui, AccountForm::Mode::Add, in.header, in.today);
     }},
    {"config",
     [](FormInputs& in) { return std::make_unique<ConfigForm>(in.ui, in.settings, [] {}); }},
    {"password",
     [](FormInputs& in) { return std::make_unique<EditPasswordForm>(in.ui, in.password); }},
    {"fund", [](FormInputs& in) { return std::make_unique<FundForm>(in.ui, in.fund, in.today); }},
    {"import",
     [](FormInputs& in) {
         return std::make_unique<ImportForm>(in.ui, in.preview, "statement.csv");
     }},
    {"input",
     [](FormInputs& in) {
         return std::make_unique<InputForm>(in.ui, "caption", "label", "", 0, 8);
     }},
    {"options", [](FormInputs& in) { return std::make_unique<OptionsForm>(in.ui, in.settings); }},
    {"price source",
     [](FormInputs& in) { return std::make_unique<PriceSourceForm>(in.ui, in.settings); }},
    {"stock name", [](FormInputs& in) { return std::make_unique<StockCodeForm>(in.ui, in.names); }},
    {"stock",
     [](FormInputs& in) {
         return std::make_unique<StockEditForm>(in.ui, in.stock, in.note, true, in.settings,
                                                in.names);
     }},
    {"trade: buy",
     [](FormInputs& in) {
         return std::make_unique<TradeForm>(in.ui, TradeMode::Buy, in.trade, in.settings, in.names);
     }},
    {"trade: edit",
     [](FormInputs& in) {
         return std::make_unique<TradeForm>(in.ui, TradeMode::Edit, in.trade, in.settings,
                                            in.names);
     }},
};

// Widgets a view adds of its own, which no form holds: the directory chooser and the "%" boxes.
const std::set<QString> kViewOnlyWidgets = {"cmdBrowseDir", "txtPercent1", "txtPercent2"};

bool isInputWidget(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QListWidget*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

// The named input widgets below `root` that are neither Qt's own parts nor the view's.
QStringList fieldWidgetNames(const QWidget* root) {
    QStringList names;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (isInputWidget(w) && !name.isEmpty() && !name.startsWith("qt_") &&
            !kViewOnlyWidgets.count(name))
            names << name;
    }
    return names;
}

void checkBinding(const char* formName, const Form& form, const gui::FormBinder& binder,
                  const QWidget* view) {
    for (const std::string& name : binder.unboundFields())
        QFAIL(qPrintable(
            QString("%1: no widget for %2").arg(formName, QString::fromStdString(name))));
    for (const QString& name : fieldWidgetNames(view)) {
        // A radio group's buttons are named after it: "grpOption_0".
        const QString field = name.section('_', 0, 0);
        QVERIFY2(
            form.hasField(field.toStdString()),
            qPrintable(QString("%1: the widget %2 is no field of its form").arg(formName, name)));
    }
}

}  // namespace

class FormWidgetsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyDialogBindsEveryFieldAndNothingElse() {
        for (const FormCase& c : kForms) {
            FormInputs inputs;
            std::unique_ptr<Form> form = c.make(inputs);
            std::unique_ptr<gui::FormDialog> view = gui::makeDialogView(*form, nullptr);
            checkBinding(c.name, *form, view->binder(), view.get());
            if (QTest::currentTestFailed())
                return;
        }
    }

    void theBudgetPanelBindsEveryField() {
        FormInputs inputs;
        BudgetForm form(inputs.ui, inputs.settings);
        gui::BudgetPanel panel(form, nullptr);
        checkBinding("budget", form, panel.binder(), &panel);
    }
};

QTEST_MAIN(FormWidgetsTest)
#include "form_widgets_test.moc"
