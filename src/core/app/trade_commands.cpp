// The commands that record transactions: buy, sell, rights issue, bonus shares, dividend,
// subscription and its outcome. Each appends its transaction and applies it to the positions.
#include "app/controller.h"

#include <algorithm>
#include <limits>

#include "base/gbk.h"
#include "forms/input_form.h"
#include "forms/trade_form.h"
#include "ledger/cash_amount.h"
#include "ledger/dated_records.h"
#include "ledger/fees.h"
#include "ledger/position_change.h"
#include "ledger/row_records.h"
#include "storage/account_file.h"
#include "storage/closed_holding.h"

namespace tallivan {

namespace {

constexpr std::size_t index(LedgerList list) {
    return static_cast<std::size_t>(list);
}

const char* const kOutOfRange = "股数或金额超出范围,未保存!";

// A strict decimal integer: an optional sign and digits only.
std::optional<std::int32_t> decimalInteger(const std::string& text) {
    const std::size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
    if (text.size() <= digits || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    return parseInt(text);
}

}  // namespace

void Controller::insertRow(LedgerList list, std::size_t position, LedgerRow row) {
    auto& rows = lists_.rows(list);
    position = std::min(position, rows.size());
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(position), std::move(row));
    if (auto& selected = selectedRows_[index(list)]; selected && *selected >= int(position))
        ++*selected;
    if (auto& from = batchRowsFrom_[index(list)]; from && *from >= position)
        ++*from;
}

void Controller::eraseRow(LedgerList list, std::size_t position) {
    auto& rows = lists_.rows(list);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(position));
    auto& selected = selectedRows_[index(list)];
    if (selected && *selected == int(position))
        selected.reset();
    else if (selected && *selected > int(position))
        --*selected;
    if (auto& from = batchRowsFrom_[index(list)]; from && *from > position)
        --*from;
}

void Controller::addDatedRow(LedgerList list, LedgerRow row) {
    if (!inBatch()) {
        insertRow(list, 0, std::move(row));
        sortKeepingSelection(list);
        return;
    }
    // Inserting at the top one by one would move every row each time: a batch appends, and
    // the rows go to the top when it ends.
    auto& rows = lists_.rows(list);
    if (!batchRowsFrom_[index(list)])
        batchRowsFrom_[index(list)] = rows.size();
    rows.push_back(std::move(row));
}

void Controller::finishDatedRows(LedgerList list) {
    auto& from = batchRowsFrom_[index(list)];
    if (!from)
        return;
    auto& rows = lists_.rows(list);
    const auto first = rows.begin() + static_cast<std::ptrdiff_t>(*from);
    // Newest first at the top, as inserting each at the top would have left them.
    std::reverse(first, rows.end());
    const auto added = static_cast<int>(rows.end() - first);
    std::rotate(rows.begin(), first, rows.end());
    if (auto& selected = selectedRows_[index(list)]; selected) {
        *selected = *selected >= int(*from) ? int(rows.size()) - 1 - *selected : *selected + added;
    }
    from.reset();
    sortKeepingSelection(list);
}

int Controller::addTradeRow(const TradeRecord& trade) {
    AccountNode* account = focus_.currentAccount;
    const int slot = account ? session_.write(*account, -1, trade) : -1;
    if (slot < 0)
        return -1;
    LedgerRow row = makeRow(LedgerList::Trades, ItemRef{.slotIndex = slot});
    showTradeRow(row, trade, account, rowContext());
    addDatedRow(LedgerList::Trades, std::move(row));
    return slot;
}

StockRecord Controller::newPosition(const TradeRecord& t, const PositionChange& change, bool held,
                                    const AccountNode& account) {
    StockRecord s;
    s.kindState = kindStateOf(SlotKind::Stock, held ? kHeldState : kSoldState);
    std::memcpy(s.code, t.code, sizeof s.code);
    s.shares = 0;
    s.cost = 0;
    s.price = t.price;
    s.takeProfitPrice = kUnsetTakeProfitPrice;
    s.stopLossPrice = 0;
    s.year = t.year;
    s.month = t.month;
    s.day = t.day;
    if (held && account.header) {
        // The account's default stop-loss and take-profit, from the shares and the cost the
        // position starts with: for a purchase the shares bought and the total paid, for an
        // undone sale the shares and cost it gives back. A position that would start with no
        // shares or fewer gets no prices.
        const AccountHeader& h = *account.header;
        const std::string code = fieldText(t.code, sizeof t.code);
        const int category = categoryOfCode(settings_, code);
        const auto shares = static_cast<std::int32_t>(change.shares);
        const Extended total = static_cast<Extended>(change.cost) * 0.001L;
        double stopLoss = roundToCent(static_cast<double>(total * h.stopLossRatio * 0.01L));
        if (stopLoss <= h.stopLossLimit)
            stopLoss = h.stopLossLimit;
        double takeProfit = roundToCent(static_cast<double>(total * h.takeProfitRatio * 0.01L));
        if (takeProfit >= h.takeProfitLimit)
            takeProfit = h.takeProfitLimit;
        const auto priceFor = [&](double target) {
            return toMilli(sellPriceForNet(settings_.categories, shares, category,
                                           static_cast<double>(total), target));
        };
        s.stopLossPrice = priceFor(stopLoss);
        s.takeProfitPrice = static_cast<std::int32_t>(priceFor(takeProfit));
    }
    return s;
}

void Controller::applyToPositions(const TradeRecord& trade,
                                  const std::function<PositionChange(LedgerList)>& changeIn) {
    bool written = true;
    for (const LedgerList list : {LedgerList::Holdings, LedgerList::Sold}) {
        if (changesPosition(trade.type(), list))
            written = applyToPosition(list, trade, changeIn(list)) && written;
    }
    // The transaction stands; the person must know that a position does not show it.
    if (!written)
        showError(ui_, gbk("写文件出错!"));
}

void Controller::applyToPositions(const TradeRecord& trade) {
    applyToPositions(trade, [&](LedgerList list) { return positionChange(trade, list); });
}

std::optional<std::size_t> Controller::positionRow(LedgerList list, const AccountNode* account,
                                                   const std::string& code) const {
    const auto& rows = lists_.rows(list);
    // Every transaction looks its positions up several times, an imported statement tens of
    // thousands of times: the codes' last digits, which differ most, are compared first.
    const auto sameCode = [&code](std::string_view text) {
        return text.size() == code.size() && (code.empty() || text.back() == code.back()) &&
               text == code;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].ref && rows[i].ref->owner == account &&
            sameCode(rows[i].text(stock_column::kCode)))
            return i;
    }
    return std::nullopt;
}

bool Controller::positionsFit(const TradeRecord& trade,
                              const std::function<PositionChange(LedgerList)>& changeIn) {
    const std::string code = fieldText(trade.code, sizeof trade.code);
    bool fits = true;
    for (const LedgerList list : {LedgerList::Holdings, LedgerList::Sold}) {
        if (!changesPosition(trade.type(), list))
            continue;
        StockRecord s{};
        if (const auto at = positionRow(list, focus_.currentAccount, code))
            stockFromRow(lists_.rows(list)[*at], s);
        const PositionChange change = changeIn(list);
        std::int64_t shares = 0, cost = 0, proceeds = 0;
        fits = fits && !__builtin_add_overflow(std::int64_t{s.shares}, change.shares, &shares) &&
               shares >= std::numeric_limits<std::int32_t>::min() &&
               shares <= std::numeric_limits<std::int32_t>::max() &&
               !__builtin_add_overflow(std::int64_t{s.cost}, change.cost, &cost) &&
               (list == LedgerList::Holdings ||
                !__builtin_add_overflow(std::int64_t{s.proceeds}, change.proceeds, &proceeds));
    }
    if (!fits)
        showError(ui_, gbk(kOutOfRange));
    return fits;
}

bool Controller::applyToPosition(LedgerList list, const TradeRecord& t,
                                 const PositionChange& change) {
    AccountNode* const account = focus_.currentAccount;
    const bool held = list == LedgerList::Holdings;
    auto& rows = lists_.rows(list);
    if (!account)
        return false;

    std::optional<std::size_t> at = positionRow(list, account, fieldText(t.code, sizeof t.code));
    StockRecord s{};
    if (at) {
        stockFromRow(rows[*at], s);
    } else {
        // A sale that closed the holding gives it back as it was when undone or corrected.
        const std::optional<ClosedHolding> closed =
            held && t.type() == kSell ? closedHolding(*account, fieldText(t.code, sizeof t.code))
                                      : std::nullopt;
        NoteRecord note{};
        if (closed) {
            s = closed->stock;
            s.shares = 0;
            s.cost = 0;
            note = closed->note;
            clearClosedMark(note);
        } else {
            s = newPosition(t, change, held, *account);
        }
        s.kindState = kindStateOf(SlotKind::Stock, held ? kHeldState : kSoldState);
        note.kindState = kindStateOf(SlotKind::Note, s.state());
        // Without its stock slot no row is made and nothing else is touched.
        const int slot = session_.write(*account, -1, s);
        if (slot < 0)
            return false;
        const int noteSlot = session_.write(*account, -1, note);
        // The closed holding is back: its deleted pair no longer stands for it.
        if (closed)
            session_.erase(*account, closed->noteSlot, note);
        at = std::min<std::size_t>(1, rows.size());
        insertRow(list, *at,
                  makeRow(list, ItemRef{.slotIndex = slot,
                                        .noteSlot = noteSlot,
                                        .owner = account,
                                        .kindState = s.kindState}));
        if (closed)
            showStockNote(rows[*at], LedgerRecord::of(note));
    }

    if (held && (t.type() == kBonusShares || t.type() == kRightsIssue))
        adjustForIssue(s, change);
    s.shares = static_cast<std::int32_t>(wrapAdd(s.shares, change.shares));
    s.cost = wrapAdd(s.cost, change.cost);
    if (!held)
        s.proceeds = wrapAdd(s.proceeds, change.proceeds);

    LedgerRow& row = rows[*at];
    const bool finished = held ? s.shares == 0 : s.shares == 0 && s.proceeds == 0;
    bool written = false;
    if (finished) {
        // The position is gone: its slots are marked deleted, its row and memo go with it.
        written = deleteStockRow(list, *at, s, held && t.type() == kSell);
    } else {
        written = session_.write(*account, row.ref->slotIndex, s) >= 0;
        if (written)
            showStockRow(row, s, account, rowContext());
        selectRow(list, static_cast<int>(*at));
    }
    focus_.currentAccount = account;
    return written;
}

bool Controller::deleteStockRow(LedgerList list, std::size_t position, const StockRecord& stock,
                                bool closedBySale) {
    LedgerRow& row = lists_.rows(list)[position];
    AccountNode* const owner = row.ref->owner;
    if (!owner || session_.erase(*owner, row.ref->slotIndex, stock) < 0)
        return false;
    // A memo left behind would never be shown: a memo is read only right after its position.
    if (row.ref->noteSlot != -1) {
        NoteRecord note{};
        noteFromRow(row, note);
        if (closedBySale && row.ref->noteSlot == row.ref->slotIndex + 1)
            markClosedBySale(note);
        session_.erase(*owner, row.ref->noteSlot, note);
    }
    eraseRow(list, position);
    return true;
}

std::optional<ClosedHolding> Controller::closedHolding(const AccountNode& account,
                                                       std::string_view code) {
    const AccountContents contents =
        readAccount(fs_, account.path, account.password, false, account.sealed);
    if (contents.status != AccountStatus::Ok)
        return std::nullopt;
    return lastClosedHolding(contents.slots, code);
}

bool Controller::recordNew(const TradeRecord& t) {
    WriteScope scope(*this);
    if (!scope.ok() || !positionsFit(t, [&](LedgerList list) { return positionChange(t, list); }))
        return false;
    if (addTradeRow(t) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return false;
    }
    applyToPositions(t);
    refreshTotals(cashAmount(t));
    return scope.commit();
}

void Controller::recordNewTrade(TradeType type, std::int64_t reserved) {
    TradeRecord t = newTrade(type, reserved, clock_.today());
    TradeForm form(ui_, entryModeOf(type), t, settings_, names_);
    if (ui_.runDialog(form))
        recordNew(t);
}

void Controller::buy() {
    recordNewTrade(kBuy, kTradeMarker);
}

void Controller::subscribe() {
    recordNewTrade(kSubscription, kSubscriptionMarker);
}

TradeRecord Controller::tradeOnHolding(const LedgerRow& row, int type, const Date& date) {
    focus_.currentAccount = row.ref->owner;
    StockRecord s{};
    stockFromRow(row, s);
    // The transaction starts from the position's bytes: shares held, current price, cost.
    TradeRecord t = LedgerRecord::of(s).as<TradeRecord>();
    t.kindState = kindStateOf(SlotKind::Trade, type);
    setDate(t, date);
    return t;
}

std::optional<TradeRecord> Controller::tradeOnSelectedHolding(int type) {
    const LedgerRow* selected = selectedItemRow(LedgerList::Holdings, "请先选择股票!");
    if (!selected)
        return std::nullopt;
    return tradeOnHolding(*selected, type, clock_.today());
}

void Controller::sell() {
    auto t = tradeOnSelectedHolding(kSell);
    if (!t)
        return;
    const std::int32_t sharesHeld = t->shares;
    const std::int64_t costHeld = t->costBasis;
    // The fee of selling every share at the current price, not the take-profit price that the
    // position keeps in the same place.
    t->fee = static_cast<std::int32_t>(
        toMilli(tradeFee(settings_.categories, t->shares,
                         categoryOfCode(settings_, fieldText(t->code, sizeof t->code)),
                         fromMilli(t->price), TradeSide::Sell)));
    TradeForm form(ui_, entryModeOf(kSell), *t, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    t->costBasis = saleCostBasis(t->shares, sharesHeld, costHeld, toMilli(cashAmount(*t)));
    recordNew(*t);
}

void Controller::recordOnHolding(TradeType type) {
    auto t = tradeOnSelectedHolding(type);
    if (!t)
        return;
    t->fee = 0;
    if (type == kBonusShares || type == kDividend)
        t->price = 0;
    if (type == kDividend)
        t->shares = 0;
    TradeForm form(ui_, entryModeOf(type), *t, settings_, names_);
    if (ui_.runDialog(form))
        recordNew(*t);
}

void Controller::rightsIssue() {
    recordOnHolding(kRightsIssue);
}

void Controller::bonusShares() {
    recordOnHolding(kBonusShares);
}

void Controller::dividend() {
    recordOnHolding(kDividend);
}

bool Controller::recordTrade(AccountNode& account, TradeRecord trade) {
    focus_.currentAccount = &account;
    if (trade.type() == kSell) {
        // As the sell command does from the selected holding.
        const auto at =
            positionRow(LedgerList::Holdings, &account, fieldText(trade.code, sizeof trade.code));
        if (!at)
            return false;
        StockRecord held{};
        stockFromRow(lists_.rows(LedgerList::Holdings)[*at], held);
        if (trade.shares > held.shares)
            return false;
        trade.costBasis =
            saleCostBasis(trade.shares, held.shares, held.cost, toMilli(cashAmount(trade)));
    }
    return recordNew(trade);
}

LedgerRow* Controller::selectedSubscription() {
    LedgerRow* row = selectedItemRow(LedgerList::Trades, "请先选择申购交易!");
    if (row && row->ref->state() != kSubscription) {
        showError(ui_, gbk("请先选择申购交易!"));
        return nullptr;
    }
    return row;
}

void Controller::subscriptionWon() {
    LedgerRow* row = selectedSubscription();
    if (!row)
        return;
    AccountNode* owner = row->ref->owner;
    focus_.currentAccount = owner;
    TradeRecord t{};
    tradeFromRow(*row, t);
    const std::int32_t applied = t.shares;
    std::string answer = std::to_string(applied);
    const std::string prompt = gbk("“") + fieldText(t.code, sizeof t.code) + " " +
                               std::to_string(applied) + gbk("股”的中签股数:");
    if (promptText(ui_, gbk("申购中签"), prompt, answer, 0, 10) != 1)
        return;
    const auto won = decimalInteger(answer);
    if (!won || *won <= 0 || *won > applied) {
        showError(ui_, gbk("申购中签的股数输入错!"));
        return;
    }
    recordAllotment(*row, *won);
}

void Controller::recordAllotment(LedgerRow& row, std::int32_t won) {
    AccountNode* owner = row.ref->owner;
    focus_.currentAccount = owner;
    TradeRecord t{};
    tradeFromRow(row, t);
    const std::int32_t applied = t.shares;
    const TradeRecord subscription = t;
    t.kindState = kindStateOf(SlotKind::Trade, kSubscriptionWon);
    t.shares = won;
    WriteScope scope(*this);
    if (!scope.ok() || !positionsFit(t, [&](LedgerList list) { return positionChange(t, list); }))
        return;
    if (!owner || session_.write(*owner, row.ref->slotIndex, t) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showTradeRow(row, t, owner, rowContext());
    applyToPositions(t);
    Extended returned = 0;
    if (won < applied) {
        // The shares not allotted: their money comes back with a 不中 row.
        TradeRecord notWon = subscription;
        notWon.shares = applied - won;
        returned = -cashAmount(notWon);
        notWon.kindState = kindStateOf(SlotKind::Trade, kSubscriptionNotWon);
        if (addTradeRow(notWon) < 0)
            returned = 0;
    }
    refreshTotals(returned);
    scope.commit();
}

void Controller::subscriptionNotWon() {
    LedgerRow* row = selectedSubscription();
    if (!row)
        return;
    const Answer answer = ui_.message(
        gbk("请确认 “申购 ") + std::string(row->text(trade_column::kCode)) + gbk("” 未中签!"),
        gbk("确认"), MessageIcon::Warning, MessageButtons::OkCancel);
    if (answer != Answer::Ok)
        return;
    AccountNode* owner = row->ref->owner;
    focus_.currentAccount = owner;
    TradeRecord t{};
    tradeFromRow(*row, t);
    const double paid = cashAmount(t);
    t.kindState = kindStateOf(SlotKind::Trade, kSubscriptionNotWon);
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    if (!owner || session_.write(*owner, row->ref->slotIndex, t) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showTradeRow(*row, t, owner, rowContext());
    refreshTotals(-paid);
    scope.commit();
}

}  // namespace tallivan
