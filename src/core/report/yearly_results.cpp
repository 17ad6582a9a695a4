#include "report/yearly_results.h"

#include <map>

namespace tallivan {

YearResult& YearResult::operator+=(const YearResult& other) {
    realised += other.realised;
    dividends += other.dividends;
    fees += other.fees;
    deposits += other.deposits;
    withdrawals += other.withdrawals;
    return *this;
}

YearlyResults yearlyResults(const NodeHistory& history) {
    std::map<int, YearResult> byYear;
    const auto yearOf = [&byYear](std::int32_t date) -> YearResult& {
        YearResult& result = byYear[date / 10000];
        result.year = date / 10000;
        return result;
    };
    for (const DatedTrade& t : history.trades) {
        YearResult& year = yearOf(t.date);
        const TradeRecord& r = t.record;
        switch (r.type()) {
            case kSell:
                year.realised += std::int64_t{r.price} * r.shares - r.fee - r.costBasis;
                year.fees += r.fee;
                break;
            case kBuy:
            case kRightsIssue:
                year.fees += r.fee;
                break;
            case kDividend:
                year.dividends += r.fee;  // the dividend amount is kept in the fee field
                break;
            default:
                // Subscriptions and their outcomes pay no fee, even when one is written down.
                break;
        }
    }
    for (const DatedFund& f : history.funds) {
        YearResult& year = yearOf(f.date);
        if (!movesCapital(f.record))
            continue;
        (f.record.amount >= 0 ? year.deposits : year.withdrawals) += f.record.amount;
    }
    YearlyResults results;
    for (const auto& [number, year] : byYear) {
        results.years.push_back(year);
        results.total += year;
    }
    return results;
}

}  // namespace tallivan
