// The money a transaction moves: positive when the account receives it, negative when it pays.
#pragma once

#include "storage/account_records.h"

namespace tallivan {

// Sells receive price x shares less the fee; buys and rights issues pay price x shares plus the
// fee; subscriptions and won subscriptions pay price x shares (no fee); a dividend receives the
// amount kept in `fee`; bonus shares and lost subscriptions move nothing. Formed in extended
// precision from the milli-yuan fields, returned as a double.
double cashAmount(const TradeRecord& trade);

}  // namespace tallivan
