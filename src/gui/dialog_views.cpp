#include "dialog_views.h"

#include "forms/account_form.h"
#include "forms/config_form.h"
#include "forms/edit_password_form.h"
#include "forms/fund_form.h"
#include "forms/import_form.h"
#include "forms/input_form.h"
#include "forms/options_form.h"
#include "forms/price_source_form.h"
#include "forms/seal_form.h"
#include "forms/stock_code_form.h"
#include "forms/stock_edit_form.h"
#include "forms/trade_form.h"
#include "generic_dialog.h"
#include "import_dialog.h"

namespace tallivan::gui {

namespace {

template <typename View, typename ViewForm>
std::unique_ptr<FormDialog> viewOf(Form& form, QWidget* parent) {
    if (auto* f = dynamic_cast<ViewForm*>(&form))
        return std::make_unique<View>(*f, parent);
    return nullptr;
}

}  // namespace

std::unique_ptr<FormDialog> makeDialogView(Form& form, QWidget* parent) {
    using Maker = std::unique_ptr<FormDialog> (*)(Form&, QWidget*);
    const Maker makers[] = {
        viewOf<TradeDialog, TradeForm>,         viewOf<StockEditDialog, StockEditForm>,
        viewOf<AccountDialog, AccountForm>,     viewOf<FundDialog, FundForm>,
        viewOf<ConfigDialog, ConfigForm>,       viewOf<OptionsDialog, OptionsForm>,
        viewOf<InputDialog, InputForm>,         viewOf<EditPasswordDialog, EditPasswordForm>,
        viewOf<StockCodeDialog, StockCodeForm>, viewOf<PriceSourceDialog, PriceSourceForm>,
        viewOf<ImportDialog, ImportForm>,       viewOf<SealDialog, SealForm>,
    };
    for (Maker make : makers) {
        if (std::unique_ptr<FormDialog> view = make(form, parent))
            return view;
    }
    return std::make_unique<GenericDialog>(form, parent);
}

}  // namespace tallivan::gui
