// Records rebuilt from the texts of their rows: the rows are the ledger's working copy, so a
// command that changes a recorded item starts from what its row shows.
#pragma once

#include <optional>
#include <vector>

#include "ledger/ledger_rows.h"
#include "storage/account_records.h"

namespace tallivan {

// The fund movement of a fund row: kind and state from the row's reference, the date from
// "YY-MM-DD" (YY of 80 or less is 20YY), the amount from its two-decimal text, title and memo.
// Bytes the row does not show keep what `fund` held.
void fundFromRow(const LedgerRow& row, FundRecord& fund);

// The position of the row that refers to the same slot of the same account as `ref`.
std::optional<int> rowOf(const std::vector<LedgerRow>& rows, const ItemRef& ref);

}  // namespace tallivan
