// What a transaction does to the held or the sold position of its stock, in milli-yuan and
// shares. Recording adds a transaction's change, undoing takes it off, editing applies the
// difference between the new and the old transaction.
#pragma once

#include <cstdint>

#include "ledger/ledger_rows.h"
#include "storage/account_records.h"

namespace tallivan {

// Position arithmetic wraps like the file's integers instead of overflowing (only damaged
// files come near the limits).
std::int64_t wrapAdd(std::int64_t a, std::int64_t b);
std::int64_t wrapSub(std::int64_t a, std::int64_t b);

struct PositionChange {
    std::int64_t shares = 0;
    std::int64_t cost = 0;
    std::int64_t proceeds = 0;  // sold positions only

    PositionChange operator-(const PositionChange& other) const;
    PositionChange operator-() const { return PositionChange{} - *this; }
};

// The change `trade` makes to its position in `list` (Holdings or Sold):
// - held, sale: the shares sold and their cost basis leave the position;
// - held, any other type: the shares come in with price x |shares| + fee (taken off again when
//   the shares are negative);
// - sold, sale: the shares and the cost basis come in with the net proceeds
//   price x |shares| - fee (taken off when the shares are negative);
// - sold, dividend: the dividend amount adds to the proceeds;
// - otherwise nothing.
PositionChange positionChange(const TradeRecord& trade, LedgerList list);

// The part of a holding's cost (`costHeld` for `sharesHeld` shares) that a sale of `sharesSold`
// with net proceeds `proceeds` moves to the sold position, in milli-yuan: all of it for a sale
// of every share; for a partial sale the net proceeds while they do not exceed the cost still
// held, else the proceeds beyond it.
std::int64_t saleCostBasis(std::int32_t sharesSold, std::int32_t sharesHeld, std::int64_t costHeld,
                           std::int64_t proceeds);

// After a bonus or rights issue brings `change` to `held`, which still holds the shares of
// before: its current price becomes the ex-rights price (price x shares before, plus the rights'
// money, over the shares after) and its stop-loss and take-profit move by the same ratio, each
// rounded to the cent, so that the issue itself shows no profit and sets off no alarm. Nothing
// changes for a holding without shares or price, or one that the change leaves without shares.
void adjustForIssue(StockRecord& held, const PositionChange& change);

// Whether a transaction of `type` changes a position in `list` at all: sales both, purchases,
// rights issues, bonus shares and allotments the held one, dividends the sold one.
bool changesPosition(int type, LedgerList list);

}  // namespace tallivan
