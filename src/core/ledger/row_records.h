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

// The position of a held or sold row: kind and state from the row's reference, code and shares;
// a held row's cost, current, stop-loss and take-profit prices and date; a sold row's cost and
// proceeds (price and take-profit price 0) and date. A row of another state sets only kind,
// code and shares. Bytes the row does not show keep what `stock` held.
void stockFromRow(const LedgerRow& row, StockRecord& stock);

// The note of a stock row: its memo column, and the row's state with kind 4 when the row names
// a note slot, 15 (deleted) when it names none.
void noteFromRow(const LedgerRow& row, NoteRecord& note);

// The transaction of a transaction row: kind and state from the row's reference, the cost basis
// from its extra field, code, shares, price, fee and date from the texts; `reserved` is set to
// -1 000 000. Bytes the row does not show keep what `trade` held.
void tradeFromRow(const LedgerRow& row, TradeRecord& trade);

// The position of the row that refers to the same slot of the same account as `ref`.
std::optional<int> rowOf(const std::vector<LedgerRow>& rows, const ItemRef& ref);

}  // namespace tallivan
