#include "report/dividend_tax.h"

#include <algorithm>
#include <cmath>

#include "base/calendar.h"
#include "base/numbers.h"

namespace tallivan {
namespace {

struct Lot {
    std::int32_t date = 0;  // YYYYMMDD
    std::int64_t shares = 0;
    Extended dividends = 0;  // milli-yuan received for these shares
};

// The lots of one holding, oldest first; those before `first` are gone.
struct Lots {
    std::vector<Lot> all;
    std::size_t first = 0;

    void clear() {
        all.clear();
        first = 0;
    }

    // Shares coming in make a new lot; shares taken off (a sale, or a correction with a
    // negative count) leave from the oldest lots, and a lot that keeps some of its shares
    // keeps that part of its dividends.
    void change(std::int32_t date, std::int64_t shares) {
        if (shares > 0) {
            all.push_back({date, shares, 0});
            return;
        }
        for (std::int64_t taken = -shares; taken > 0 && first < all.size();) {
            Lot& oldest = all[first];
            if (oldest.shares <= taken) {
                taken -= oldest.shares;
                ++first;
            } else {
                oldest.dividends -= oldest.dividends * static_cast<Extended>(taken) /
                                    static_cast<Extended>(oldest.shares);
                oldest.shares -= taken;
                taken = 0;
            }
        }
    }

    void shareDividend(std::int64_t amount) {
        std::int64_t held = 0;
        for (std::size_t i = first; i < all.size(); ++i)
            held += all[i].shares;
        if (held <= 0)
            return;
        for (std::size_t i = first; i < all.size(); ++i) {
            all[i].dividends += static_cast<Extended>(amount) *
                                static_cast<Extended>(all[i].shares) / static_cast<Extended>(held);
        }
    }
};

// A transaction that changes a holding's lots, ordered by holding (code, then account) and
// within it as it happened.
struct Entry {
    std::uint64_t code;
    const AccountNode* owner;
    std::size_t index;  // in the history

    bool sameHolding(const Entry& other) const {
        return code == other.code && owner == other.owner;
    }
};

bool changesLots(int type) {
    switch (type) {
        case kBuy:
        case kRightsIssue:
        case kBonusShares:
        case kSubscriptionWon:
        case kSell:
        case kDividend:
            return true;
        default:
            return false;
    }
}

void apply(Lots& lots, const DatedTrade& t) {
    const TradeRecord& r = t.record;
    if (r.type() == kSell)
        lots.change(t.date, -std::int64_t{r.shares});
    else if (r.type() == kDividend)
        lots.shareDividend(r.fee);  // the dividend amount is kept in the fee field
    else
        lots.change(t.date, r.shares);
}

}  // namespace

int dividendTaxRate(const Date& acquired, const Date& sold) {
    const std::int32_t soldKey = dateKeyOf(sold);
    if (soldKey <= dateKeyOf(addMonths(acquired, 1)))
        return 20;
    if (soldKey <= dateKeyOf(addMonths(acquired, 12)))
        return 10;
    return 0;
}

DividendTaxAhead dividendTaxAhead(const NodeHistory& history, const Date& today) {
    std::vector<Entry> entries;
    entries.reserve(history.trades.size());
    for (std::size_t i = 0; i < history.trades.size(); ++i) {
        const DatedTrade& t = history.trades[i];
        if (changesLots(t.record.type()))
            entries.push_back({packedCode(t.record), t.owner, i});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.code != b.code)
            return a.code < b.code;
        if (a.owner != b.owner)
            return std::less<const AccountNode*>()(a.owner, b.owner);
        return a.index < b.index;
    });

    DividendTaxAhead ahead;
    Lots lots;
    for (std::size_t begin = 0; begin < entries.size();) {
        std::size_t end = begin;
        lots.clear();
        for (; end < entries.size() && entries[end].sameHolding(entries[begin]); ++end)
            apply(lots, history.trades[entries[end].index]);
        Extended tax = 0;
        std::int64_t shares = 0;
        for (std::size_t i = lots.first; i < lots.all.size(); ++i) {
            const Lot& lot = lots.all[i];
            shares += lot.shares;
            // A lot whose dividends came to less than nothing (taxes booked as negative
            // dividends) owes nothing.
            if (lot.dividends > 0)
                tax += lot.dividends * dividendTaxRate(dateOfKey(lot.date), today) / 100.0L;
        }
        if (shares > 0) {
            // The accounts of one stock follow each other.
            const std::int64_t cents = static_cast<std::int64_t>(roundl(tax / 10.0L)) * 10;
            if (ahead.holdings.empty() ||
                ahead.holdings.back().code != unpackedCode(entries[begin].code))
                ahead.holdings.push_back({unpackedCode(entries[begin].code), 0, 0});
            ahead.holdings.back().shares += shares;
            ahead.holdings.back().tax += cents;
            ahead.total += cents;
        }
        begin = end;
    }
    return ahead;
}

}  // namespace tallivan
