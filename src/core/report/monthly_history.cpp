#include "report/monthly_history.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "base/calendar.h"
#include "base/numbers.h"
#include "ledger/cash_amount.h"
#include "ledger/fees.h"
#include "ledger/position_change.h"

namespace tallivan {
namespace {

// A month as one number, year * 12 + month - 1; a damaged month counts as January.
int monthIndex(std::int32_t dateKey) {
    const int month = dateKey / 100 % 100;
    return dateKey / 10000 * 12 + (month >= 1 && month <= 12 ? month - 1 : 0);
}

struct Running {
    Extended invested = 0;
    Extended holdingsCost = 0;
    Extended cash = 0;
    std::unordered_map<std::uint64_t, std::int64_t> shares;  // by packed code, all accounts
};

std::optional<double> marketValue(const Running& running, std::int32_t from, std::int32_t to,
                                  const Settings& settings, ClosingPrices& prices) {
    Extended value = 0;
    for (const auto& [packed, shares] : running.shares) {
        if (shares <= 0)
            continue;
        const std::string code = unpackedCode(packed);
        const std::optional<double> close = prices.closeBetween(code, from, to);
        if (!close)
            return std::nullopt;
        // Valued as the holdings list values a stock: the shares at the price, less the fees
        // of selling them.
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(shares, INT32_MAX));
        value += static_cast<Extended>(n) * *close - tradeFee(settings.categories, n,
                                                              categoryOfCode(settings, code),
                                                              *close, TradeSide::Sell);
    }
    return static_cast<double>(value);
}

}  // namespace

std::vector<MonthPoint> monthlyHistory(const NodeHistory& history, const Date& today,
                                       const Settings& settings, ClosingPrices* prices) {
    std::vector<MonthPoint> points;
    if (history.trades.empty() && history.funds.empty())
        return points;
    std::int32_t first = INT32_MAX, last = dateKeyOf(today);
    if (!history.trades.empty()) {
        first = std::min(first, history.trades.front().date);
        last = std::max(last, history.trades.back().date);
    }
    if (!history.funds.empty()) {
        first = std::min(first, history.funds.front().date);
        last = std::max(last, history.funds.back().date);
    }
    const std::int32_t todayKey = dateKeyOf(today);
    Running running;
    std::size_t nextTrade = 0, nextFund = 0;
    for (int m = monthIndex(first); m <= monthIndex(last); ++m) {
        const int year = m / 12, month = m % 12 + 1;
        const std::int32_t monthStart = year * 10000 + month * 100 + 1;
        const std::int32_t monthEnd = year * 10000 + month * 100 + 99;  // every day, damaged too
        for (; nextTrade < history.trades.size() && monthIndex(history.trades[nextTrade].date) <= m;
             ++nextTrade) {
            const TradeRecord& t = history.trades[nextTrade].record;
            running.cash += cashAmount(t);
            if (!changesPosition(t.type(), LedgerList::Holdings))
                continue;
            const PositionChange held = positionChange(t, LedgerList::Holdings);
            running.holdingsCost += static_cast<Extended>(held.cost) * 0.001L;
            if (prices)
                running.shares[packedCode(t)] += held.shares;
        }
        for (; nextFund < history.funds.size() && monthIndex(history.funds[nextFund].date) <= m;
             ++nextFund) {
            const FundRecord& f = history.funds[nextFund].record;
            const Extended amount = static_cast<Extended>(f.amount) * 0.001L;
            running.cash += amount;
            if (movesCapital(f))
                running.invested += amount;
        }
        MonthPoint point{year,
                         month,
                         static_cast<double>(running.invested),
                         static_cast<double>(running.holdingsCost),
                         static_cast<double>(running.cash),
                         std::nullopt};
        // This month is valued at today's close at the latest, a later one at none.
        const std::int32_t valuedTo = std::min(monthEnd, todayKey);
        if (prices && valuedTo >= monthStart)
            point.marketValue = marketValue(running, monthStart, valuedTo, settings, *prices);
        points.push_back(point);
    }
    return points;
}

}  // namespace tallivan
