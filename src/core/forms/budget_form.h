// The trade budget panel of the main window: a planned purchase and sale priced with the
// ledger's own fee rules, touching no account.
#pragma once

#include "forms/form.h"
#include "storage/settings.h"

namespace tallivan {

class BudgetForm : public Form {
  public:
    // The category list takes the names the table has now; the fees are read at each 计算.
    BudgetForm(Ui& ui, const Settings& settings);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;

    // 计算: fees and totals of buying and selling, net profit and profit rate.
    void calculate();

  private:
    const Settings& settings_;
};

}  // namespace tallivan
