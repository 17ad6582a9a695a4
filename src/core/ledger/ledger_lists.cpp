// The four lists of an open account or group: loading an account's slots into rows, the summary
// rows, the selection of a stock row and the text colours.
#include <algorithm>

#include "base/gbk.h"
#include "ledger/cash_amount.h"
#include "ledger/ledger_rows.h"
#include "ledger/portfolio_totals.h"

namespace tallivan {

namespace {

constexpr int kCodeColumn = 1;
constexpr int kTradeCodeColumn = 2;

// Moves the rows appended to `list` from index `oldSize` on to where inserting each of them at
// `position` one at a time would have put them: the rows above the position stay, the added
// rows follow newest first, then the rows that were there. (Into a list shorter than the
// position a row goes at the end, so the first rows added to it keep their order.)
void placeAsInsertedAt(std::vector<LedgerRow>& list, std::size_t oldSize, std::size_t position) {
    const auto at = [&list](std::size_t i) {
        return list.begin() + static_cast<std::ptrdiff_t>(i);
    };
    const std::size_t head = std::min(position, oldSize);
    const std::size_t inOrder = std::min(position - head, list.size() - oldSize);
    std::reverse(at(oldSize + inOrder), list.end());
    std::rotate(at(head), at(oldSize), list.end());
}

}  // namespace

std::vector<LedgerRow>& LedgerLists::rows(LedgerList list) {
    switch (list) {
        case LedgerList::Holdings:
            return holdings_;
        case LedgerList::Sold:
            return sold_;
        case LedgerList::Trades:
            return trades_;
        case LedgerList::Funds:
            break;
    }
    return funds_;
}

const std::vector<LedgerRow>& LedgerLists::rows(LedgerList list) const {
    return const_cast<LedgerLists*>(this)->rows(list);
}

void LedgerLists::clear() {
    holdings_.clear();
    sold_.clear();
    trades_.clear();
    funds_.clear();
}

void LedgerLists::addSummaryRows() {
    static const std::string total = gbk("统计");
    static const std::string held = gbk("持有股票");
    static const std::string sold = gbk("已卖股票");
    LedgerRow h = makeRow(LedgerList::Holdings, std::nullopt);
    h.image = kImageSummary;
    h.setText(kCodeColumn, total);
    h.setText(kCodeColumn + 1, held);
    LedgerRow s = makeRow(LedgerList::Sold, std::nullopt);
    s.image = kImageSummary;
    s.setText(kCodeColumn, total);
    s.setText(kCodeColumn + 1, sold);
    holdings_.insert(holdings_.begin(), std::move(h));
    sold_.insert(sold_.begin(), std::move(s));
}

void LedgerLists::addAccount(AccountNode* owner, const std::vector<LedgerRecord>& slots,
                             const RowContext& context, PortfolioTotals& totals) {
    // Rows are appended in slot order and moved into place at the end, in linear time.
    std::size_t kindCounts[16] = {};
    for (const LedgerRecord& slot : slots)
        ++kindCounts[static_cast<std::size_t>(slot.kind())];
    const std::size_t oldHoldings = holdings_.size();
    const std::size_t oldSold = sold_.size();
    const std::size_t oldTrades = trades_.size();
    const std::size_t oldFunds = funds_.size();
    trades_.reserve(oldTrades + kindCounts[static_cast<std::size_t>(SlotKind::Trade)]);
    funds_.reserve(oldFunds + kindCounts[static_cast<std::size_t>(SlotKind::Fund)]);

    for (std::size_t i = 0; i < slots.size(); ++i) {
        const LedgerRecord& slot = slots[i];
        ItemRef ref;
        ref.slotIndex = static_cast<std::int32_t>(i);
        ref.owner = owner;
        ref.kindState = slot.kindState();
        switch (slot.kind()) {
            case SlotKind::Stock: {
                if (slot.state() != kHeldState && slot.state() != kSoldState)
                    break;
                const bool held = slot.state() == kHeldState;
                std::vector<LedgerRow>& list = held ? holdings_ : sold_;
                LedgerRow& row =
                    list.emplace_back(makeRow(held ? LedgerList::Holdings : LedgerList::Sold, ref));
                showStockRow(row, slot.as<StockRecord>(), owner, context);
                if (i + 1 < slots.size() && showStockNote(row, slots[i + 1])) {
                    row.ref->noteSlot = static_cast<std::int32_t>(i + 1);
                    ++i;  // the note is this position's
                }
                break;
            }
            case SlotKind::Trade: {
                const TradeRecord trade = slot.as<TradeRecord>();
                LedgerRow& row = trades_.emplace_back(makeRow(LedgerList::Trades, ref));
                showTradeRow(row, trade, owner, context);
                totals.tradeCashTotal += cashAmount(trade);
                break;
            }
            case SlotKind::Fund: {
                const FundRecord fund = slot.as<FundRecord>();
                LedgerRow& row = funds_.emplace_back(makeRow(LedgerList::Funds, ref));
                showFundRow(row, fund, owner);
                const Extended amount = static_cast<Extended>(fund.amount) * 0.001L;
                (fund.type() == kAdjustment ? totals.adjustTotal : totals.fundTotal) += amount;
                break;
            }
            default:
                break;  // deleted slots, notes without their position, unknown kinds
        }
    }
    // Positions go directly below the summary row, transactions and movements on top.
    placeAsInsertedAt(holdings_, oldHoldings, 1);
    placeAsInsertedAt(sold_, oldSold, 1);
    placeAsInsertedAt(trades_, oldTrades, 0);
    placeAsInsertedAt(funds_, oldFunds, 0);
}

void LedgerLists::sortByDate() {
    tallivan::sortByDate(trades_);
    tallivan::sortByDate(funds_);
}

void LedgerLists::showStockName(std::string_view code, std::string_view name) {
    for (std::vector<LedgerRow>* list : {&holdings_, &sold_}) {
        for (LedgerRow& row : *list) {
            if (!row.isSummary() && row.text(kCodeColumn) == code)
                row.setText(kCodeColumn + 1, name);
        }
    }
    for (LedgerRow& row : trades_) {
        if (row.text(kTradeCodeColumn) == code)
            row.setText(kTradeCodeColumn + 1, name);
    }
}

void selectStockRow(const std::vector<LedgerRow>& rows, std::optional<int> selected,
                    LedgerFocus& focus) {
    const LedgerRow* row = nullptr;
    if (selected && *selected >= 0 && static_cast<std::size_t>(*selected) < rows.size())
        row = &rows[static_cast<std::size_t>(*selected)];
    if (row && !row->isSummary()) {
        focus.highlightCode = row->text(kCodeColumn);
        focus.currentAccount = row->ref->owner;
    } else {
        focus.highlightCode.clear();
    }
}

TextColour textColourOf(LedgerList list, const LedgerRow& row, const LedgerFocus& focus) {
    switch (list) {
        case LedgerList::Holdings:
        case LedgerList::Sold:
            if (row.profitMark == kMarkProfit)
                return TextColour::Red;
            if (row.profitMark == kMarkLoss)
                return TextColour::Green;
            return TextColour::ButtonText;
        case LedgerList::Trades:
            // An empty code is no selection: a transaction without a code is not marked.
            if (row.ref && row.ref->owner == focus.currentAccount && !focus.highlightCode.empty() &&
                row.text(kTradeCodeColumn) == focus.highlightCode)
                return TextColour::Red;
            return TextColour::Default;
        case LedgerList::Funds:
            break;
    }
    return TextColour::Default;
}

}  // namespace tallivan
