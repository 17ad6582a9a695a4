#include "report/dividend_tax.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

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

// A holding: one stock in one account.
struct Holding {
    std::uint64_t code;
    const AccountNode* owner;
    bool operator==(const Holding&) const = default;
};

struct HoldingHash {
    std::size_t operator()(const Holding& h) const {
        return std::hash<std::uint64_t>()(h.code * 0x9E3779B97F4A7C15ull ^
                                          reinterpret_cast<std::uintptr_t>(h.owner));
    }
};

// What one holding owes, before the accounts of a stock are added up.
struct Owed {
    std::uint64_t code;
    std::int64_t shares;
    std::int64_t tax;  // milli-yuan, whole cents
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
    // The transactions of each holding, in the order they happened: numbered by holding, then
    // laid out holding after holding (a sort would cost more than the rest together).
    std::unordered_map<Holding, std::uint32_t, HoldingHash> numbers;
    std::vector<Holding> holdings;
    std::vector<std::uint32_t> numberOf(history.trades.size());
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < history.trades.size(); ++i) {
        const DatedTrade& t = history.trades[i];
        if (!changesLots(t.record.type()))
            continue;
        const Holding h{packedCode(t.record), t.owner};
        const auto [it, added] =
            numbers.try_emplace(h, static_cast<std::uint32_t>(holdings.size()));
        if (added) {
            holdings.push_back(h);
            starts.push_back(0);
        }
        numberOf[i] = it->second;
        ++starts[it->second];
    }
    std::size_t next = 0;
    for (std::size_t& start : starts)
        next += std::exchange(start, next);
    starts.push_back(next);
    std::vector<std::uint32_t> order(next);
    std::vector<std::size_t> fill(starts.begin(), starts.end() - 1);
    for (std::size_t i = 0; i < history.trades.size(); ++i) {
        if (changesLots(history.trades[i].record.type()))
            order[fill[numberOf[i]]++] = static_cast<std::uint32_t>(i);
    }

    std::vector<Owed> owed;
    Lots lots;
    for (std::size_t h = 0; h < holdings.size(); ++h) {
        lots.clear();
        for (std::size_t k = starts[h]; k < starts[h + 1]; ++k)
            apply(lots, history.trades[order[k]]);
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
        if (shares > 0)
            owed.push_back(
                {holdings[h].code, shares, static_cast<std::int64_t>(roundl(tax / 10.0L)) * 10});
    }

    // By code, the accounts of one stock added up.
    std::stable_sort(owed.begin(), owed.end(),
                     [](const Owed& a, const Owed& b) { return a.code < b.code; });
    DividendTaxAhead ahead;
    for (std::size_t i = 0; i < owed.size(); ++i) {
        if (i == 0 || owed[i].code != owed[i - 1].code)
            ahead.holdings.push_back({unpackedCode(owed[i].code), 0, 0});
        ahead.holdings.back().shares += owed[i].shares;
        ahead.holdings.back().tax += owed[i].tax;
        ahead.total += owed[i].tax;
    }
    return ahead;
}

}  // namespace tallivan
