#include "report/node_history.h"

#include <algorithm>

#include "ledger/row_records.h"

namespace tallivan {
namespace {

template <class Record>
std::int32_t dateOf(const Record& r) {
    return r.year * 10000 + r.month * 100 + r.day;
}

// The records of `rows` in the order they happened. Each row is read once (a large account's
// rows lie all over memory) into one vector sorted in place. The lists run newest first, and
// within a day the row recorded last stands first, so read backwards they are mostly in order
// already; but an edited date keeps its row where it stood, and a group mixes its accounts, so
// the order is made sure of: by date, then by slot.
template <class Dated, class Rebuild>
std::vector<Dated> inOrder(const std::vector<LedgerRow>& rows, Rebuild rebuild) {
    std::vector<Dated> dated;
    dated.reserve(rows.size());
    for (std::size_t i = rows.size(); i-- > 0;) {
        const LedgerRow& row = rows[i];
        if (!row.ref)
            continue;
        Dated& d = dated.emplace_back();
        rebuild(row, d.record);
        d.owner = row.ref->owner;
        d.date = dateOf(d.record);
        d.slot = row.ref->slotIndex;
    }
    const auto earlier = [](const Dated& a, const Dated& b) {
        return a.date != b.date ? a.date < b.date : a.slot < b.slot;
    };
    if (!std::is_sorted(dated.begin(), dated.end(), earlier))
        std::stable_sort(dated.begin(), dated.end(), earlier);
    return dated;
}

}  // namespace

std::uint64_t packedCode(const TradeRecord& trade) {
    std::uint64_t packed = 0;
    for (char c : trade.code)
        packed = packed << 8 | static_cast<unsigned char>(c);
    return packed;
}

std::string unpackedCode(std::uint64_t packed) {
    char code[sizeof TradeRecord::code + 1] = {};
    for (std::size_t i = sizeof TradeRecord::code; i-- > 0; packed >>= 8)
        code[i] = static_cast<char>(packed & 0xFF);
    return code;
}

NodeHistory nodeHistory(const LedgerLists& lists) {
    NodeHistory history;
    history.trades = inOrder<DatedTrade>(
        lists.rows(LedgerList::Trades),
        [](const LedgerRow& row, TradeRecord& trade) { tradeFromRow(row, trade); });
    history.funds =
        inOrder<DatedFund>(lists.rows(LedgerList::Funds),
                           [](const LedgerRow& row, FundRecord& fund) { fundFromRow(row, fund); });
    return history;
}

}  // namespace tallivan
