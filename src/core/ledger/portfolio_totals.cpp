#include "ledger/portfolio_totals.h"

#include <optional>

#include "base/gbk.h"
#include "ledger/fees.h"

namespace tallivan {

namespace {

constexpr std::size_t kPanelWidth = 11;

// Summary row columns written.
constexpr int kCountColumn = 3;
constexpr int kValueColumn = 7;
constexpr int kProfitColumn = 8;
constexpr int kRateColumn = 9;

// Right-aligned in the panel's 11 characters. A longer text is shown whole: cutting its
// leading characters would show a different number.
std::string panelText(std::string text) {
    if (text.size() < kPanelWidth)
        text.insert(0, kPanelWidth - text.size(), ' ');
    return text;
}

std::string panelMoney(Extended v) {
    return panelText(fixed2(static_cast<double>(v), 6));
}

std::string panelRate(Extended v) {
    return panelText(percent2(static_cast<double>(v), 6));
}

// The rows' own texts, as the lists show them; a text that is not a number counts 0.
Extended decimalOf(std::string_view text) {
    return parseMoney(text).value_or(0.0);
}

std::int32_t integerOf(std::string_view text) {
    return parseInt(text).value_or(0);
}

struct ListSums {
    Extended bought = 0;  // sum of the 总买价 texts
    Extended value = 0;   // held: net market value; sold: sum of the 总卖价 texts
    std::optional<std::size_t> summary;
};

ListSums sumHoldings(const std::vector<LedgerRow>& rows, const Settings& settings) {
    ListSums sums;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LedgerRow& row = rows[i];
        if (row.isSummary()) {
            sums.summary = i;
            continue;
        }
        const int category = categoryOfCode(settings, row.text(stock_column::kCode));
        const std::int32_t shares = integerOf(row.text(stock_column::kShares));
        const double price = static_cast<double>(decimalOf(row.text(held_column::kCurrentPrice)));
        sums.value += static_cast<Extended>(shares) * price -
                      tradeFee(settings.categories, shares, category, price, TradeSide::Sell);
        sums.bought += decimalOf(row.text(stock_column::kBuyTotal));
    }
    return sums;
}

ListSums sumSold(const std::vector<LedgerRow>& rows) {
    ListSums sums;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LedgerRow& row = rows[i];
        if (row.isSummary()) {
            sums.summary = i;
            continue;
        }
        sums.value += decimalOf(row.text(sold_column::kSaleTotal));
        sums.bought += decimalOf(row.text(stock_column::kBuyTotal));
    }
    return sums;
}

// The money paid for subscriptions still awaiting their outcome, from their rows' totals.
Extended sumPending(const std::vector<LedgerRow>& trades) {
    Extended pending = 0;
    for (const LedgerRow& row : trades) {
        if (row.ref && row.ref->state() == kSubscription)
            pending -= decimalOf(row.text(trade_column::kTotal));
    }
    return pending;
}

void fillSummary(const ListSums& sums, std::vector<LedgerRow>& rows) {
    if (!sums.summary)
        return;
    const Extended profit = sums.value - sums.bought;
    const Extended rate = sums.bought != 0 ? profit / sums.bought * 100.0L : 0.0L;
    LedgerRow& row = rows[*sums.summary];
    row.setText(kCountColumn, std::to_string(rows.size() - 1));
    row.setText(stock_column::kBuyTotal, fixed2(static_cast<double>(sums.bought)));
    row.setText(kValueColumn, fixed2(static_cast<double>(sums.value)));
    row.setText(kProfitColumn, fixed2(static_cast<double>(profit)));
    row.setText(kRateColumn, percent2(static_cast<double>(rate)));
}

PanelValues valuesOf(const PortfolioTotals& totals, const ListSums& held, Extended pending) {
    PanelValues v;
    v.funds = totals.fundTotal;                    // A
    v.adjustments = totals.adjustTotal;            // B
    v.atHand = v.funds + v.adjustments;            // X
    v.held = held.bought;                          // P
    v.balance = v.atHand + totals.tradeCashTotal;  // Y
    v.frozen = pending;
    v.netValue = v.balance + v.frozen + held.value;  // N
    v.netProfit = v.netValue - v.funds;              // J, not simplified to B + K + Q
    if (v.funds != 0) {
        v.profitRate = v.netProfit / v.funds * 100.0L;
        v.investmentRate = v.held / v.funds * 100.0L;
    }
    return v;
}

}  // namespace

TotalsPanel::TotalsPanel() {
    texts.fill(panelMoney(0));
}

const std::array<std::string, kPanelFieldCount>& panelCaptions() {
    static const std::array<std::string, kPanelFieldCount> captions = {
        gbk("资金总额"), gbk("资金损耗"), gbk("资金现额"), gbk("持仓金额"), gbk("资金余额"),
        gbk("净现值"),   gbk("净盈利"),   gbk("盈利率"),   gbk("投资率"),
    };
    return captions;
}

const std::array<const char*, kPanelFieldCount>& panelControlNames() {
    static const std::array<const char*, kPanelFieldCount> names = {
        "txtZjze", "txtZjdb", "txtZjxe", "txtCcje", "txtZjye",
        "txtJxz",  "txtJyl",  "txtYll",  "txtTzl",
    };
    return names;
}

const std::string& frozenCaption() {
    static const std::string caption = gbk("申购冻结");
    return caption;
}

PanelValues panelValues(const LedgerLists& lists, const PortfolioTotals& totals,
                        const Settings& settings) {
    return valuesOf(totals, sumHoldings(lists.rows(LedgerList::Holdings), settings),
                    sumPending(lists.rows(LedgerList::Trades)));
}

void refreshTotals(LedgerLists& lists, PortfolioTotals& totals, TotalsPanel& panel, Extended delta,
                   const Settings& settings) {
    std::vector<LedgerRow>& heldRows = lists.rows(LedgerList::Holdings);
    std::vector<LedgerRow>& soldRows = lists.rows(LedgerList::Sold);
    const ListSums held = sumHoldings(heldRows, settings);
    const ListSums sold = sumSold(soldRows);

    totals.tradeCashTotal += delta;
    const PanelValues v = valuesOf(totals, held, sumPending(lists.rows(LedgerList::Trades)));
    panel.texts = {
        panelMoney(v.funds),     panelMoney(v.adjustments), panelMoney(v.atHand),
        panelMoney(v.held),      panelMoney(v.balance),     panelMoney(v.netValue),
        panelMoney(v.netProfit), panelRate(v.profitRate),   panelRate(v.investmentRate),
    };
    panel.frozen = v.frozen != 0 ? panelMoney(v.frozen) : std::string();

    fillSummary(held, heldRows);
    fillSummary(sold, soldRows);
}

}  // namespace tallivan
