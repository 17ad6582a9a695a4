// What the trade dialog does as fields are left and buttons pressed, and what OK stores.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/date_fields.h"
#include "forms/number_fields.h"
#include "forms/trade_form.h"
#include "ledger/fees.h"

namespace tallivan {

namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
// toMilli answers an amount it cannot convert with an end of the 64-bit range: never a fit.
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min() + 1;
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max() - 1;

bool fitsMilli(double yuan, std::int64_t lo, std::int64_t hi) {
    const std::int64_t milli = toMilli(yuan);
    return milli >= lo && milli <= hi;
}

std::string saleTooLargeMessage() {
    return gbk("卖出股数大于买入股数！");
}

}  // namespace

// The total of a sale is what it brings in, net of the fee; every other transaction's total
// includes the fee (for a dividend, shares and price are 0 and the fee is the amount).
double TradeForm::total() const {
    const Extended gross = static_cast<Extended>(shares_) * price_;
    return static_cast<double>(type() == kSell ? gross - fee_ : gross + fee_);
}

bool TradeForm::needsShares() const {
    return mode_ != TradeMode::Undo && type() != kDividend;
}

void TradeForm::onLeave(std::string_view name) {
    // The whole group is disabled when undoing: no field can be left.
    if (mode_ == TradeMode::Undo)
        return;
    if (name == field_id::kYear || name == field_id::kMonth || name == field_id::kDay) {
        leaveDatePart(name);
    } else if (name == field_id::kCode) {
        leaveCode();
    } else if (name == field_id::kShares) {
        leaveShares();
    } else if (name == field_id::kPrice) {
        leavePrice();
    } else if (name == field_id::kFee) {
        leaveFee();
    } else if (name == field_id::kTotal) {
        leaveCostBasis();
    }
}

void TradeForm::leaveDatePart(std::string_view name) {
    std::uint16_t& part = name == field_id::kYear    ? year_
                          : name == field_id::kMonth ? month_
                                                     : day_;
    std::int32_t value = part;
    if (readIntField(*this, field(name), value) != 0) {
        refuseEntry();
        return;
    }
    // Kept in 16 bits without a range check: month 13 or day 0 are stored as typed.
    part = static_cast<std::uint16_t>(value);
}

void TradeForm::leaveCode() {
    // The name table shows the code itself for a code it does not know; nothing is recomputed.
    field(field_id::kTitle).text = names_.nameOf(field(field_id::kCode).text);
}

void TradeForm::leaveShares() {
    Field& f = field(field_id::kShares);
    const std::string typed = f.text;
    std::int32_t shares = shares_;
    if (readIntField(*this, f, shares) != 0) {
        refuseEntry();
        return;
    }
    // Every transaction but a dividend moves shares: none, or fewer, is no transaction.
    if (shares <= 0 && needsShares()) {
        refuse(f, typed, std::to_string(shares_));
        return;
    }
    const std::int32_t before = shares_;
    shares_ = shares;
    if (mode_ == TradeMode::Sell && openingShares_ < shares_) {
        // The count stays as entered; OK refuses it until it is corrected.
        showError(ui(), saleTooLargeMessage());
        requestFocus(f.name);
        refuseEntry();
        return;
    }
    // As if the price were left: the fee follows the new count.
    Field& priceField = field(field_id::kPrice);
    double price = price_;
    if (!readStorable(priceField, price, kMin32, kMax32, priceTick()))
        return;
    if (!computeFee(shares_, price)) {
        shares_ = before;
        priceField.text = generalForm(price_);
        refuse(f, typed, std::to_string(before));
    }
}

void TradeForm::leavePrice() {
    Field& f = field(field_id::kPrice);
    const std::string typed = f.text;
    double price = price_;
    if (!readStorable(f, price, kMin32, kMax32, priceTick()))
        return;
    // A share is bought, sold, allotted or subscribed for money: a price below 0 would bring
    // money in with a purchase
    // (0, the opening value of a new trade, is only refused at OK).
    if ((price < 0 && needsPrice()) || !computeFee(shares_, price))
        refuse(f, typed, generalForm(price_));
}

bool TradeForm::needsPrice() const {
    return mode_ != TradeMode::Undo && type() != kBonusShares && type() != kDividend;
}

bool TradeForm::codeTyped() const {
    return mode_ == TradeMode::Buy || mode_ == TradeMode::Subscription;
}

FeeParts TradeForm::partsOf(std::int32_t shares, double price) const {
    if (type() != kSell && type() != kBuy)
        return {};
    const int category = categoryOfCode(settings_, field(field_id::kCode).text);
    return feeParts(settings_.categories, shares, category, price, side());
}

bool TradeForm::computeFee(std::int32_t shares, double price) {
    const FeeParts parts = partsOf(shares, price);
    const double fee = parts.total();
    if (!fitsMilli(fee, kMin32, kMax32))
        return false;
    shares_ = shares;
    price_ = price;
    fee_ = fee;
    parts_ = parts;
    field(field_id::kFee).text = fixed2(fee_);
    if (!editingSale())
        field(field_id::kTotal).text = fixed2(total());
    showFeeParts();
    return true;
}

void TradeForm::showFeeParts() {
    // Shown after the fee field, to check against the broker's statement.
    std::string& text = field(field_id::kFee).suffix;
    text.clear();
    const std::int64_t sum = toMilli(parts_.total());
    if (sum == 0 || sum != toMilli(fee_))
        return;
    const struct {
        const char* name;
        double value;
    } parts[] = {{"手续费", parts_.commission},
                 {"印花税", parts_.stampTax},
                 {"过户费", parts_.transferFee},
                 {"委托费", parts_.orderFee}};
    for (const auto& part : parts)
        text += (text.empty() ? "" : "  ") + gbk(part.name) + ' ' + fixed2(part.value);
}

void TradeForm::leaveFee() {
    // A fee typed here stays until the shares or the price are left again.
    if (!readStorable(field(field_id::kFee), fee_, kMin32, kMax32))
        return;
    showFeeParts();
    if (editingSale())
        return;
    Field& all = field(field_id::kTotal);
    const double sum = total();
    const std::optional<double> shown = parseMoney(all.text);
    if (!shown || *shown != sum)
        all.text = fixed2(sum);
}

void TradeForm::leaveCostBasis() {
    if (editingSale())
        readStorable(field(field_id::kTotal), costBasis_, kMin64, kMax64);
}

PriceTick TradeForm::priceTick() const {
    return priceTickOf(settings_, field(field_id::kCode).text);
}

bool TradeForm::readStorable(Field& f, double& value, std::int64_t lo, std::int64_t hi,
                             PriceTick tick) {
    const std::string typed = f.text;
    double read = value;
    if (readPriceField(*this, f, read, tick) != 0) {
        refuseEntry();
        return false;
    }
    if (!fitsMilli(read, lo, hi)) {
        refuse(f, typed, generalForm(value));
        return false;
    }
    value = read;
    return true;
}

// The same message and restoring as an unparsable number: the amount cannot be stored.
void TradeForm::refuse(Field& f, const std::string& typed, std::string previous) {
    showError(ui(), invalidValueMessage(typed));
    f.text = std::move(previous);
    requestFocus(f.name);
    refuseEntry();
}

void TradeForm::press(std::string_view name) {
    const bool complained = takeRefusedEntry();
    if (name == field_id::kCancel) {
        cancel();
    } else if (name == field_id::kOk && !complained) {
        // After a refused value the dialog stays open on that field, its message shown once.
        pressOk();
    }
}

void TradeForm::pressOk() {
    if (field(field_id::kTitle).text.empty()) {
        showError(ui(), gbk("未填写股票代码!"));
        requestFocus(field_id::kCode);
        return;
    }
    if (mode_ == TradeMode::Sell && shares_ > openingShares_) {
        showError(ui(), saleTooLargeMessage());
        requestFocus(field_id::kShares);
        return;
    }
    if (shares_ <= 0 && needsShares()) {
        showError(ui(), invalidValueMessage(field(field_id::kShares).text));
        requestFocus(field_id::kShares);
        return;
    }
    if (toMilli(price_) <= 0 && needsPrice()) {
        showError(ui(), invalidValueMessage(field(field_id::kPrice).text));
        requestFocus(field_id::kPrice);
        return;
    }
    // A stock code of the exchanges: 6 digits, or 4 for the older short codes.
    const std::string& code = field(field_id::kCode).text;
    if (codeTyped() && ((code.size() != 4 && code.size() != 6) ||
                        code.find_first_not_of("0123456789") != std::string::npos)) {
        showError(ui(), invalidValueMessage(code));
        requestFocus(field_id::kCode);
        return;
    }
    if (mode_ != TradeMode::Undo && !acceptCalendarDate(*this, year_, month_, day_))
        return;
    store();
    close(Result::Ok);
}

void TradeForm::store() {
    copyToField(record_.code, sizeof record_.code, field(field_id::kCode).text);
    record_.shares = shares_;
    record_.year = year_;
    record_.month = static_cast<std::uint8_t>(month_ & 0xFF);
    record_.day = static_cast<std::uint8_t>(day_ & 0xFF);
    // Every value was checked to fit its field when it was taken.
    record_.price = static_cast<std::int32_t>(toMilli(price_));
    record_.fee = static_cast<std::int32_t>(toMilli(fee_));
    if (editingSale())
        record_.costBasis = toMilli(costBasis_);
}

}  // namespace tallivan
