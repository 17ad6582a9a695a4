// The fund-detail panel and the numbers of the two summary rows. Three running sums are kept
// across operations; the rest is summed from the displayed row texts at every refresh.
#pragma once

#include <array>
#include <string>

#include "base/numbers.h"
#include "ledger/ledger_rows.h"
#include "storage/settings.h"

namespace tallivan {

struct PortfolioTotals {
    Extended fundTotal = 0;       // deposits and withdrawals, with their sign
    Extended adjustTotal = 0;     // adjustments
    Extended tradeCashTotal = 0;  // the cash amounts of all transactions

    void clear() { *this = PortfolioTotals{}; }
};

constexpr int kPanelFieldCount = 9;

// The nine values in the panel's order: 资金总额, 资金损耗, 资金现额, 持仓金额, 资金余额,
// 净现值, 净盈利, 盈利率, 投资率.
struct TotalsPanel {
    std::array<std::string, kPanelFieldCount> texts;  // each right-aligned in 11 characters
    // 申购冻结, shown after 资金余额 while a subscription awaits its outcome: the money paid
    // for it, which counts in 净现值. Empty when none does.
    std::string frozen;

    TotalsPanel();  // every field "       0.00"
};

// The panel's values before they are formatted, in yuan; the two rates in percent.
struct PanelValues {
    Extended funds = 0;           // 资金总额: deposits and withdrawals
    Extended adjustments = 0;     // 资金损耗
    Extended atHand = 0;          // 资金现额
    Extended held = 0;            // 持仓金额: the buy totals of the holdings
    Extended balance = 0;         // 资金余额
    Extended frozen = 0;          // 申购冻结: the money of subscriptions awaiting their outcome
    Extended netValue = 0;        // 净现值: the balance and the holdings' net market value
    Extended netProfit = 0;       // 净盈利
    Extended profitRate = 0;      // 盈利率: 0 without funds
    Extended investmentRate = 0;  // 投资率: 0 without funds
};

// The values the panel shows for `lists` and `totals` now.
PanelValues panelValues(const LedgerLists& lists, const PortfolioTotals& totals,
                        const Settings& settings);

// The captions (GBK) and control names ("txtZjze" ...) of the panel fields, in panel order.
const std::array<std::string, kPanelFieldCount>& panelCaptions();
const std::array<const char*, kPanelFieldCount>& panelControlNames();
// The caption (GBK) and control name of the 申购冻结 line, and where it stands: after 资金余额.
const std::string& frozenCaption();
constexpr const char* kFrozenControlName = "txtSgdj";
constexpr int kFrozenAfterField = 4;

// Adds `delta` to the transactions' cash sum, sums the holdings (their buy totals, and their
// market value net of selling fees at the displayed current price) and the sold positions from
// the row texts, writes the nine panel texts and fills the summary rows' count, buy total,
// current / sale total, profit and rate.
void refreshTotals(LedgerLists& lists, PortfolioTotals& totals, TotalsPanel& panel, Extended delta,
                   const Settings& settings);

}  // namespace tallivan
