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
    LedgerRow* summary = nullptr;
};

ListSums sumHoldings(std::vector<LedgerRow>& rows, const Settings& settings) {
    ListSums sums;
    for (LedgerRow& row : rows) {
        if (row.isSummary()) {
            sums.summary = &row;
            continue;
        }
        const int category = categoryOfCode(settings, row.text(column::kCode));
        const std::int32_t shares = integerOf(row.text(column::kShares));
        const double price = static_cast<double>(decimalOf(row.text(column::kCurrentPrice)));
        sums.value += static_cast<Extended>(shares) * price -
                      tradeFee(settings.categories, shares, category, price, TradeSide::Sell);
        sums.bought += decimalOf(row.text(column::kBuyTotal));
    }
    return sums;
}

ListSums sumSold(std::vector<LedgerRow>& rows) {
    ListSums sums;
    for (LedgerRow& row : rows) {
        if (row.isSummary()) {
            sums.summary = &row;
            continue;
        }
        sums.value += decimalOf(row.text(column::kSaleTotal));
        sums.bought += decimalOf(row.text(column::kBuyTotal));
    }
    return sums;
}

void fillSummary(const ListSums& sums, std::size_t rowCount) {
    if (!sums.summary)
        return;
    const Extended profit = sums.value - sums.bought;
    const Extended rate = sums.bought != 0 ? profit / sums.bought * 100.0L : 0.0L;
    LedgerRow& row = *sums.summary;
    row.setText(kCountColumn, std::to_string(rowCount - 1));
    row.setText(column::kBuyTotal, fixed2(static_cast<double>(sums.bought)));
    row.setText(kValueColumn, fixed2(static_cast<double>(sums.value)));
    row.setText(kProfitColumn, fixed2(static_cast<double>(profit)));
    row.setText(kRateColumn, percent2(static_cast<double>(rate)));
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

void refreshTotals(LedgerLists& lists, PortfolioTotals& totals, TotalsPanel& panel, Extended delta,
                   const Settings& settings) {
    std::vector<LedgerRow>& heldRows = lists.rows(LedgerList::Holdings);
    std::vector<LedgerRow>& soldRows = lists.rows(LedgerList::Sold);
    const ListSums held = sumHoldings(heldRows, settings);
    const ListSums sold = sumSold(soldRows);

    totals.tradeCashTotal += delta;

    const Extended funds = totals.fundTotal;                  // A
    const Extended adjustments = totals.adjustTotal;          // B
    const Extended atHand = funds + adjustments;              // X
    const Extended balance = atHand + totals.tradeCashTotal;  // Y
    const Extended netValue = balance + held.value;           // N
    const Extended netProfit = netValue - funds;              // J, not simplified to B + K + Q
    Extended profitRate = 0;
    Extended investmentRate = 0;
    if (funds != 0) {
        profitRate = netProfit / funds * 100.0L;
        investmentRate = held.bought / funds * 100.0L;
    }

    panel.texts = {
        panelMoney(funds),       panelMoney(adjustments), panelMoney(atHand),
        panelMoney(held.bought), panelMoney(balance),     panelMoney(netValue),
        panelMoney(netProfit),   panelRate(profitRate),   panelRate(investmentRate),
    };

    fillSummary(held, heldRows.size());
    fillSummary(sold, soldRows.size());
}

}  // namespace tallivan
