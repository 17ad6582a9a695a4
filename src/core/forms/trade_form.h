// The trade dialog: every transaction is entered, corrected or confirmed for undoing here.
// It shows the trade record the command hands in, recomputes the fee and the total as the
// shares or the price are left, and on OK writes the date, code, shares, price and fee (and,
// when a sale is edited, its cost basis) back into that record in milli-yuan.
#pragma once

#include <cstdint>
#include <string>

#include "base/numbers.h"
#include "forms/form.h"
#include "ledger/fees.h"
#include "ledger/price_tick.h"
#include "storage/account_records.h"
#include "storage/name_table.h"
#include "storage/settings.h"

namespace tallivan {

// What the dialog is opened for: entering a transaction of one type (the mode carries the type's
// number), confirming an undo, or correcting a recorded transaction.
enum class TradeMode : int {
    Buy = kBuy,
    Sell = kSell,  // the record's shares are the shares held, the most that can be sold
    RightsIssue = kRightsIssue,
    BonusShares = kBonusShares,
    Dividend = kDividend,  // the amount is typed into the fee field, labelled 红利
    Subscription = kSubscription,
    Undo = 8,  // nothing can be changed; OK confirms
    Edit = 9,  // a recorded transaction of any type
};

// The mode that enters a new transaction of `type`.
constexpr TradeMode entryModeOf(TradeType type) {
    return static_cast<TradeMode>(type);
}

class TradeForm : public Form {
  public:
    // `record` is the working record: the command fills it (type, code, shares, price, fee,
    // cost basis, date; today's date for a new transaction) and the dialog opens on it. OK
    // writes the changed fields back; Cancel leaves it untouched. `settings` gives the category
    // and fee table, `names` the stock names; both must outlive the dialog.
    TradeForm(Ui& ui, TradeMode mode, TradeRecord& record, const Settings& settings,
              const NameTable& names);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;

    TradeMode mode() const { return mode_; }
    TradeType type() const { return static_cast<TradeType>(slotStateOf(kindState_)); }
    // Whether the transaction must move at least one share (all but a dividend; an undo only
    // confirms what is recorded).
    bool needsShares() const;
    // Whether the transaction has a price above 0 (all but bonus shares and a dividend).
    bool needsPrice() const;
    // Whether the person types the code (a buy or a subscription) rather than taking it from
    // the row the command started on.
    bool codeTyped() const;
    // A sale's fee is priced on the sell side, every other transaction's on the buy side.
    // Whether the person changed an edited sale's cost basis (总买价) in the dialog; when not,
    // the command recomputes it for the sale as it now stands.
    bool costBasisTyped() const {
        return editingSale() && toMilli(costBasis_) != openingCostBasis_;
    }
    TradeSide side() const { return type() == kSell ? TradeSide::Sell : TradeSide::Buy; }

  private:
    void showOpeningValues();
    void setUpMode();
    void lock(const char* fieldName, bool outOfTabOrder);

    void leaveDatePart(std::string_view fieldName);
    void leaveCode();
    void leaveShares();
    void leavePrice();
    void leaveFee();
    void leaveCostBasis();
    // Fee and total for `shares` at `price`, shown in their fields; false (nothing changed)
    // when the fee could not be stored.
    bool computeFee(std::int32_t shares, double price);
    // The parts of the fee of `shares` of the code typed at `price`; all 0 for a transaction
    // that pays no fee.
    FeeParts partsOf(std::int32_t shares, double price) const;
    // Shows the parts beside the fee while they add up to it: not after a fee typed by hand,
    // nor for a transaction or a code that pays none.
    void showFeeParts();
    double total() const;
    bool editingSale() const;
    // Reads a money field like readMoneyField (a price to `tick`), also refusing values whose
    // milli-yuan form lies outside [lo, hi]; false when the field was refused.
    bool readStorable(Field& field, double& value, std::int64_t lo, std::int64_t hi,
                      PriceTick tick = PriceTick::Cent);
    // The step of the typed code's price: the cent, or the milli-yuan.
    PriceTick priceTick() const;
    void refuse(Field& field, const std::string& typed, std::string previous);

    void pressOk();
    void store();

    TradeMode mode_;
    TradeRecord& record_;
    const Settings& settings_;
    const NameTable& names_;

    // The dialog's own copies, kept when a field is left with a valid value.
    std::uint8_t kindState_ = 0;
    std::int32_t shares_ = 0;
    std::int32_t openingShares_ = 0;
    double price_ = 0;
    double fee_ = 0;  // for a dividend: the dividend amount
    FeeParts parts_;  // of the fee computed last
    double costBasis_ = 0;
    std::int64_t openingCostBasis_ = 0;
    std::uint16_t year_ = 0;
    std::uint16_t month_ = 0;
    std::uint16_t day_ = 0;
};

}  // namespace tallivan
