// The analysis of the account or group shown: how each year went, the returns, the dividend tax
// ahead, the holdings by value and the accounts month by month, all from what its lists hold.
#pragma once

#include <vector>

#include "base/clock.h"
#include "ledger/portfolio_totals.h"
#include "market/day_history.h"
#include "report/dividend_tax.h"
#include "report/holdings_breakdown.h"
#include "report/monthly_history.h"
#include "report/returns.h"
#include "report/yearly_results.h"
#include "storage/settings.h"

namespace tallivan {

struct NodeAnalysis {
    YearlyResults years;
    NodeReturns returns;
    DividendTaxAhead dividendTax;
    std::vector<ValueSlice> holdings;
    std::vector<MonthPoint> months;
};

// `prices` (may be null) gives the month-end values of the holdings.
NodeAnalysis analyseNode(const LedgerLists& lists, const PortfolioTotals& totals,
                         const Settings& settings, const Date& today, ClosingPrices* prices);

}  // namespace tallivan
