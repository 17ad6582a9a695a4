// The commands that record transactions: buy, sell, rights issue, bonus shares, dividend,
// subscription and its outcome. Each appends its transaction and applies it to the positions.
#include "app/controller.h"

#include "base/gbk.h"
#include "forms/input_form.h"
#include "forms/trade_form.h"
#include "ledger/cash_amount.h"
#include "ledger/fees.h"
#include "ledger/position_change.h"
#include "ledger/row_records.h"

namespace tallivan {

namespace {

constexpr std::size_t index(LedgerList list) {
    return static_cast<std::size_t>(list);
}

TradeRecord newTrade(int type, std::int64_t reserved, const Date& today) {
    TradeRecord t;
    t.kindState = kindStateOf(SlotKind::Trade, type);
    t.reserved = reserved;
    t.year = static_cast<std::uint16_t>(today.year);
    t.month = static_cast<std::uint8_t>(today.month);
    t.day = static_cast<std::uint8_t>(today.day);
    return t;
}

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
}

void Controller::eraseRow(LedgerList list, std::size_t position) {
    auto& rows = lists_.rows(list);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(position));
    auto& selected = selectedRows_[index(list)];
    if (selected && *selected == int(position))
        selected.reset();
    else if (selected && *selected > int(position))
        --*selected;
}

int Controller::addTradeRow() {
    AccountNode* account = focus_.currentAccount;
    const int slot = account ? writeWorkRecord(*account, -1) : -1;
    if (slot < 0)
        return -1;
    insertRow(LedgerList::Trades, 0, makeRow(LedgerList::Trades, ItemRef{slot, -1, nullptr, 0}));
    showTradeRow(lists_.rows(LedgerList::Trades).front(), workRecord_.as<TradeRecord>(), account,
                 rowContext());
    sortKeepingSelection(LedgerList::Trades);
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
    s.takeProfitPrice = -1000000;
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

bool Controller::applyToPosition(LedgerList list, const TradeRecord& t,
                                 const PositionChange& change) {
    const LedgerRecord savedRecord = workRecord_;
    AccountNode* const account = focus_.currentAccount;
    const bool held = list == LedgerList::Holdings;
    auto& rows = lists_.rows(list);
    const std::string code = fieldText(t.code, sizeof t.code);
    if (!account)
        return false;

    std::optional<std::size_t> at;
    for (std::size_t i = 0; i < rows.size() && !at; ++i) {
        if (rows[i].ref && rows[i].ref->owner == account && rows[i].text(column::kCode) == code)
            at = i;
    }
    StockRecord s = workRecord_.as<StockRecord>();
    if (at) {
        stockFromRow(rows[*at], s);
    } else {
        s = newPosition(t, change, held, *account);
        workNote_ = NoteRecord{};
        workNote_.kindState = kindStateOf(SlotKind::Note, s.state());
        // Without its stock slot no row is made and nothing else is touched.
        workRecord_ = LedgerRecord::of(s);
        const int slot = writeWorkRecord(*account, -1);
        if (slot < 0) {
            workRecord_ = savedRecord;
            return false;
        }
        workRecord_ = LedgerRecord::of(workNote_);
        const int noteSlot = writeWorkRecord(*account, -1);
        at = std::min<std::size_t>(1, rows.size());
        insertRow(list, *at, makeRow(list, ItemRef{slot, noteSlot, account, s.kindState}));
    }

    s.shares = static_cast<std::int32_t>(wrapAdd(s.shares, change.shares));
    s.cost = wrapAdd(s.cost, change.cost);
    if (!held)
        s.proceeds = wrapAdd(s.proceeds, change.proceeds);

    LedgerRow& row = rows[*at];
    const bool finished = held ? s.shares == 0 : s.shares == 0 && s.proceeds == 0;
    bool written = false;
    if (finished) {
        // The position is gone: its slots are marked deleted, its row and memo go with it.
        written = deleteStockRow(list, *at, s);
    } else {
        workRecord_ = LedgerRecord::of(s);
        written = writeWorkRecord(*account, row.ref->slotIndex) >= 0;
        if (written)
            showStockRow(row, s, account, rowContext());
        selectRow(list, static_cast<int>(*at));
    }
    workRecord_ = savedRecord;
    focus_.currentAccount = account;
    return written;
}

bool Controller::deleteStockRow(LedgerList list, std::size_t position, StockRecord stock) {
    LedgerRow& row = lists_.rows(list)[position];
    AccountNode* const owner = row.ref->owner;
    workRecord_ = LedgerRecord::of(stock);
    workRecord_.markDeleted();
    // A deletion that could not be written keeps the row as the file still has it.
    if (!owner || writeWorkRecord(*owner, row.ref->slotIndex) < 0)
        return false;
    // A memo left behind is never shown: a memo is read only right after its position.
    if (row.ref->extra != -1) {
        noteFromRow(row, workNote_);
        workRecord_ = LedgerRecord::of(workNote_);
        workRecord_.markDeleted();
        writeWorkRecord(*owner, static_cast<int>(row.ref->extra));
    }
    eraseRow(list, position);
    return true;
}

void Controller::recordNewTrade(int type, TradeMode mode, std::int64_t reserved) {
    TradeRecord t = newTrade(type, reserved, clock_.today());
    TradeForm form(ui_, mode, t, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    workRecord_ = LedgerRecord::of(t);
    if (addTradeRow() < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    applyToPositions(t);
    refreshTotals(cashAmount(t));
}

void Controller::buy() {
    recordNewTrade(kBuy, TradeMode::Buy, -1000000);
}

void Controller::subscribe() {
    recordNewTrade(kSubscription, TradeMode::Subscription, -1000001);
}

std::optional<TradeRecord> Controller::tradeOnSelectedHolding(int type) {
    const LedgerRow* selected = selectedItemRow(LedgerList::Holdings, "请先选择股票!");
    if (!selected)
        return std::nullopt;
    const LedgerRow& row = *selected;
    focus_.currentAccount = row.ref->owner;
    StockRecord s = workRecord_.as<StockRecord>();
    stockFromRow(row, s);
    // The transaction starts from the position's bytes: shares held, current price, cost.
    TradeRecord t = LedgerRecord::of(s).as<TradeRecord>();
    const Date today = clock_.today();
    t.kindState = kindStateOf(SlotKind::Trade, type);
    t.year = static_cast<std::uint16_t>(today.year);
    t.month = static_cast<std::uint8_t>(today.month);
    t.day = static_cast<std::uint8_t>(today.day);
    return t;
}

void Controller::sell() {
    auto t = tradeOnSelectedHolding(kSell);
    if (!t)
        return;
    const std::int32_t sharesHeld = t->shares;
    const std::int64_t costHeld = t->costBasis;
    // The fee of selling every share at the current price, not the take-profit price that the
    // position keeps in the same place.
    t->fee = static_cast<std::int32_t>(toMilli(tradeFee(
        settings_.categories, t->shares,
        categoryOfCode(settings_, fieldText(t->code, sizeof t->code)), fromMilli(t->price))));
    TradeForm form(ui_, TradeMode::Sell, *t, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    const double cash = cashAmount(*t);
    t->costBasis = saleCostBasis(t->shares, sharesHeld, costHeld, toMilli(cash));
    workRecord_ = LedgerRecord::of(*t);
    if (addTradeRow() < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    applyToPositions(*t);
    refreshTotals(cash);
}

void Controller::recordOnHolding(int type, TradeMode mode) {
    auto t = tradeOnSelectedHolding(type);
    if (!t)
        return;
    t->fee = 0;
    if (type == kBonusShares || type == kDividend)
        t->price = 0;
    if (type == kDividend)
        t->shares = 0;
    TradeForm form(ui_, mode, *t, settings_, names_);
    if (!ui_.runDialog(form))
        return;
    workRecord_ = LedgerRecord::of(*t);
    if (addTradeRow() < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    applyToPositions(*t);
    refreshTotals(cashAmount(*t));
}

void Controller::rightsIssue() {
    recordOnHolding(kRightsIssue, TradeMode::RightsIssue);
}

void Controller::bonusShares() {
    recordOnHolding(kBonusShares, TradeMode::BonusShares);
}

void Controller::dividend() {
    recordOnHolding(kDividend, TradeMode::Dividend);
}

LedgerRow* Controller::selectedSubscription() {
    LedgerRow* row = selectedItemRow(LedgerList::Trades, "请先选择申购交易!");
    if (row && (row->ref->kindState & 0x0F) != kSubscription) {
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
    TradeRecord t = workRecord_.as<TradeRecord>();
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
    const TradeRecord subscription = t;
    t.kindState = kindStateOf(SlotKind::Trade, kSubscriptionWon);
    t.shares = *won;
    // The row shows the outcome only once it is stored.
    workRecord_ = LedgerRecord::of(t);
    if (!owner || writeWorkRecord(*owner, row->ref->slotIndex) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showTradeRow(*row, t, owner, rowContext());
    applyToPositions(t);
    Extended returned = 0;
    if (*won < applied) {
        // The shares not allotted: their money comes back with a 不中 row.
        TradeRecord notWon = subscription;
        notWon.shares = applied - *won;
        returned = -cashAmount(notWon);
        notWon.kindState = kindStateOf(SlotKind::Trade, kSubscriptionNotWon);
        workRecord_ = LedgerRecord::of(notWon);
        if (addTradeRow() < 0)
            returned = 0;
    }
    refreshTotals(returned);
}

void Controller::subscriptionNotWon() {
    LedgerRow* row = selectedSubscription();
    if (!row)
        return;
    const Answer answer = ui_.message(
        gbk("请确认 “申购 ") + std::string(row->text(column::kTradeCode)) + gbk("” 未中签!"),
        gbk("确认"), MessageIcon::Warning, MessageButtons::OkCancel);
    if (answer != Answer::Ok)
        return;
    AccountNode* owner = row->ref->owner;
    focus_.currentAccount = owner;
    TradeRecord t = workRecord_.as<TradeRecord>();
    tradeFromRow(*row, t);
    const double paid = cashAmount(t);
    t.kindState = kindStateOf(SlotKind::Trade, kSubscriptionNotWon);
    workRecord_ = LedgerRecord::of(t);
    if (!owner || writeWorkRecord(*owner, row->ref->slotIndex) < 0) {
        showError(ui_, gbk("写文件出错!"));
        return;
    }
    showTradeRow(*row, t, owner, rowContext());
    refreshTotals(-paid);
}

}  // namespace tallivan
