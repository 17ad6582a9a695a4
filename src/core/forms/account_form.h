// The account dialog: an account's name, its default stop-loss and take-profit ratios and
// limits, its date and memo. Add mode starts from fresh defaults, edit mode from the account's
// header, delete mode shows the header with nothing editable (OK confirms the deletion).
#pragma once

#include <cstdint>

#include "base/clock.h"
#include "forms/date_fields.h"
#include "forms/form.h"
#include "storage/account_records.h"

namespace tallivan {

class AccountForm : public Form {
  public:
    enum class Mode { Add, Edit, Delete };

    // `header` is the header in memory: add mode fills it with the defaults and `today`; OK
    // copies the fields into it, Cancel leaves it as it is.
    AccountForm(Ui& ui, Mode mode, AccountHeader& header, const Date& today);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;

    Mode mode() const { return mode_; }

  private:
    void store();

    Mode mode_;
    AccountHeader& header_;
    // The dialog's own copies, kept when a field is left with a valid value.
    double stopLossRatio_ = 0;
    double stopLossLimit_ = 0;
    double takeProfitRatio_ = 0;
    double takeProfitLimit_ = 0;
    DateParts date_;
};

}  // namespace tallivan
