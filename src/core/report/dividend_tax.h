// The dividend tax a sale today would withhold. Dividends of listed shares are taxed by how
// long the shares were held when they are sold: held one calendar month or less 20 %, more
// than a month and at most a year 10 %, longer nothing. A holding is made of lots, one per
// purchase, rights issue, bonus issue and won subscription, dated by it; sales take the oldest
// lots first, and a dividend is shared among the lots held on its date by their shares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"
#include "report/node_history.h"

namespace tallivan {

// 20, 10 or 0: the percentage owed on the dividends of shares acquired on `acquired` and sold
// on `sold`.
int dividendTaxRate(const Date& acquired, const Date& sold);

struct HoldingTax {
    std::string code;         // GBK
    std::int64_t shares = 0;  // the shares the lots hold, in every account shown
    std::int64_t tax = 0;     // milli-yuan, a whole number of cents
};

struct DividendTaxAhead {
    std::vector<HoldingTax> holdings;  // every stock held, by code
    std::int64_t total = 0;            // the sum of the holdings' taxes
};

// Each account's lots are its own; a stock held in several accounts of a group is one holding
// with their shares and taxes summed.
DividendTaxAhead dividendTaxAhead(const NodeHistory& history, const Date& today);

}  // namespace tallivan
