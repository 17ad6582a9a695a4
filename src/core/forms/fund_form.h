// The fund dialog: one deposit, withdrawal or adjustment of an account's cash, with its date,
// name, amount and memo.
#pragma once

#include <cstdint>

#include "base/clock.h"
#include "forms/date_fields.h"
#include "forms/form.h"
#include "storage/account_records.h"

namespace tallivan {

class FundForm : public Form {
  public:
    // The operations of cboOperation, in the order of the fund types.
    static constexpr int kOperationCount = 3;

    // `fund` is the movement in memory. OK sets its type, date, amount, name and memo and keeps
    // its other bytes; Cancel leaves it as it is. The date boxes start at `today`.
    FundForm(Ui& ui, FundRecord& fund, const Date& today);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;
    // A drop-down list always has an entry chosen: anything outside it is ignored.
    void select(std::string_view fieldName, int index) override;

  private:
    // Whether OK may store: a calendar day, and an amount above 0 unless it is an adjustment;
    // else the field's message is shown and the focus put on it.
    bool acceptable();
    void store();

    FundRecord& fund_;
    // The dialog's own copies, kept when a field is left with a valid value.
    double amount_ = 0;
    DateParts date_;
    // The field left last had its entry refused: OK then keeps the dialog open.
};

}  // namespace tallivan
