// One view per dialog: each lays out its form's fields as a person expects to find them, and
// binds them through FormDialog. makeDialogView picks the view of a form.
#pragma once

#include <memory>

#include "form_dialog.h"

namespace tallivan {
class AccountForm;
class ConfigForm;
class EditPasswordForm;
class FundForm;
class InputForm;
class OptionsForm;
class PriceSourceForm;
class SealForm;
class StockCodeForm;
class StockEditForm;
class TradeForm;
}  // namespace tallivan

namespace tallivan::gui {

// The view of `form`'s dialog; a form without a view of its own gets the generic layout.
std::unique_ptr<FormDialog> makeDialogView(Form& form, QWidget* parent);

class TradeDialog : public FormDialog {  // wndStk
    Q_OBJECT
  public:
    TradeDialog(TradeForm& form, QWidget* parent);
};

class StockEditDialog : public FormDialog {  // wndStkEdit
    Q_OBJECT
  public:
    StockEditDialog(StockEditForm& form, QWidget* parent);
};

class AccountDialog : public FormDialog {  // wndAcc
    Q_OBJECT
  public:
    AccountDialog(AccountForm& form, QWidget* parent);
};

class FundDialog : public FormDialog {  // wndFund
    Q_OBJECT
  public:
    FundDialog(FundForm& form, QWidget* parent);
};

class ConfigDialog : public FormDialog {  // wndCfg
    Q_OBJECT
  public:
    ConfigDialog(ConfigForm& form, QWidget* parent);
};

class OptionsDialog : public FormDialog {  // wndOpt
    Q_OBJECT
  public:
    OptionsDialog(OptionsForm& form, QWidget* parent);
};

class InputDialog : public FormDialog {  // wndInput
    Q_OBJECT
  public:
    InputDialog(InputForm& form, QWidget* parent);
};

class EditPasswordDialog : public FormDialog {  // wndEditPwd
    Q_OBJECT
  public:
    EditPasswordDialog(EditPasswordForm& form, QWidget* parent);
};

// Sealing an account: the passphrase twice, under what sealing promises.
class SealDialog : public FormDialog {  // wndSeal
  public:
    SealDialog(SealForm& form, QWidget* parent);
};

class PriceSourceDialog : public FormDialog {  // wndDspj
    Q_OBJECT
  public:
    PriceSourceDialog(PriceSourceForm& form, QWidget* parent);
};

class StockCodeDialog : public FormDialog {  // wndStkCode
    Q_OBJECT
  public:
    StockCodeDialog(StockCodeForm& form, QWidget* parent);
};

}  // namespace tallivan::gui
