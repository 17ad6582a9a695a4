#include "report/returns.h"

#include "base/calendar.h"
#include "report/annual_rate.h"

namespace tallivan {

NodeReturns nodeReturns(const NodeHistory& history, const PanelValues& values, const Date& today) {
    NodeReturns returns;
    if (values.funds != 0)
        returns.simple = static_cast<double>(values.profitRate);
    // The investor's side: a deposit is money paid, a withdrawal money received, and the net
    // value is what the accounts would bring today.
    std::vector<CashFlow> flows;
    for (const DatedFund& f : history.funds) {
        if (movesCapital(f.record))
            flows.push_back(
                {dayNumber(dateOfKey(f.date)), -static_cast<Extended>(f.record.amount) * 0.001L});
    }
    if (flows.empty())
        return returns;
    flows.push_back({dayNumber(today), values.netValue});
    if (const std::optional<double> rate = annualRate(flows))
        returns.moneyWeighted = *rate * 100.0;
    return returns;
}

}  // namespace tallivan
