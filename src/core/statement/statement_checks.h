// The checks a mapped statement row must pass besides being readable.
#pragma once

#include <optional>
#include <string>

#include "statement/statement_entries.h"

namespace tallivan {

// The ledger keeps amounts in 32-bit fields of milli-yuan: ±2 147 483.647 yuan.
bool fitsLedgerAmount(std::int64_t milli);

// A warning (GBK) when the statement's net amount of a purchase, sale or rights issue differs
// by more than 0.01 from what the ledger will record: shares × price + fee for money paid,
// shares × price − fee for money received.
std::optional<std::string> netAmountWarning(const StatementEntry& entry);

}  // namespace tallivan
