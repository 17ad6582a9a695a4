#include "report/node_analysis.h"

namespace tallivan {

NodeAnalysis analyseNode(const LedgerLists& lists, const PortfolioTotals& totals,
                         const Settings& settings, const Date& today, ClosingPrices* prices) {
    const NodeHistory history = nodeHistory(lists);
    NodeAnalysis analysis;
    analysis.years = yearlyResults(history);
    analysis.returns = nodeReturns(history, panelValues(lists, totals, settings), today);
    analysis.dividendTax = dividendTaxAhead(history, today);
    analysis.holdings = holdingsByValue(lists.rows(LedgerList::Holdings));
    analysis.months = monthlyHistory(history, today, settings, prices);
    return analysis;
}

}  // namespace tallivan
