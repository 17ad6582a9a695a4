// What the holdings are worth stock by stock, largest first: the net market value each
// holding row shows (总现价), a stock held in several accounts of a group counted once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ledger/ledger_rows.h"

namespace tallivan {

struct ValueSlice {
    std::string code;  // GBK; empty for the slice of all the others
    std::string name;  // GBK; "其他" for the others
    double value = 0;  // yuan
};

// The `largest` stocks of the highest value, then one slice for all the others (when there are
// any). Stocks worth nothing or less are left out.
std::vector<ValueSlice> holdingsByValue(const std::vector<LedgerRow>& holdings,
                                        std::size_t largest = 10);

}  // namespace tallivan
