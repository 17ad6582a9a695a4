// The stock edit dialog: the memo of a position and, for a held one, its current, stop-loss and
// take-profit prices with what each would bring, and the four 计算 buttons that find the price
// for a loss or profit (or its ratio) typed by the user.
#pragma once

#include <cstdint>

#include "forms/form.h"
#include "forms/milli_fields.h"
#include "ledger/price_tick.h"
#include "storage/account_records.h"
#include "storage/name_table.h"
#include "storage/settings.h"

namespace tallivan {

class StockEditForm : public Form {
  public:
    // `stock` and `note` are the position's records in memory; `hasNoteSlot` tells whether the
    // position has a note slot (without one the memo cannot be edited and `note` is left
    // alone). OK stores the cost rounded to the cent, the memo, and for a held position the
    // three prices; every other byte is kept. Cancel stores nothing. The fees come from the
    // category table of `settings`, the stock's name from `names`.
    StockEditForm(Ui& ui, StockRecord& stock, NoteRecord& note, bool hasNoteSlot,
                  const Settings& settings, const NameTable& names);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;

    bool held() const { return held_; }

  private:
    // The stop-loss or the take-profit price with the loss or profit it brings.
    struct PriceTarget {
        const char* priceField;
        const char* amountField;
        const char* ratioField;
        const char* amountButton;
        const char* ratioButton;
        MilliWidth width;  // of the record field the price is stored in
        double price = 0;
        // What the amount and ratio fields show, restored into them after a bad entry.
        double amount = 0;
        double ratio = 0;
    };

    void addFields(bool hasNoteSlot);
    void leaveCost();
    bool leaveCurrent();
    bool leavePrice(PriceTarget& target);
    void calculate(PriceTarget& target, bool fromRatio);
    void store();

    StockRecord& stock_;
    NoteRecord& note_;
    const bool hasNoteSlot_;
    const CategoryTable& categories_;
    const bool held_;
    const std::int32_t shares_;
    int category_ = -1;
    PriceTick tick_ = PriceTick::Cent;  // of the code's prices
    // The dialog's own values in yuan, kept when a field is left with a valid value.
    double cost_ = 0;
    double current_ = 0;
    PriceTarget stopLoss_{field_id::kStopLossPrice,      field_id::kLoss,
                          field_id::kLossRatio,          field_id::kCalculateLoss,
                          field_id::kCalculateLossRatio, MilliWidth::Bits64};
    PriceTarget takeProfit_{field_id::kTakeProfitPrice,      field_id::kProfit,
                            field_id::kProfitRatio,          field_id::kCalculateProfit,
                            field_id::kCalculateProfitRatio, MilliWidth::Bits32};
    // The field left last had its entry refused: OK then keeps the dialog open.
};

}  // namespace tallivan
