// Records and headers as the program writes them, built for tests without any test framework,
// and the sample ledger several kinds of tests open.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/clock.h"
#include "base/gbk.h"
#include "base/random.h"
#include "storage/account_records.h"
#include "storage/account_scrambling.h"

namespace tallivan::testing {

// A header as the account dialog fills it, with keys made at `seconds`.
inline AccountHeader newHeader(const std::string& title, std::int64_t seconds = 1700000000) {
    AccountHeader h;
    copyToField(h.title, sizeof h.title, title);
    h.year = 2024;
    h.month = 3;
    h.day = 15;
    h.stopLossRatio = -5;
    h.stopLossLimit = -300;
    h.takeProfitRatio = 5;
    h.takeProfitLimit = 300;
    copyToField(h.memo, sizeof h.memo, gbk("长线"));
    FixedClock clock({2024, 3, 15}, seconds);
    LcgRandom random;
    makeHeaderKeys(h, clock, random);
    return h;
}

// `record` dated `year`-`month`-`day`.
template <class Record>
Record dated(Record record, std::uint16_t year, std::uint8_t month, std::uint8_t day) {
    record.year = year;
    record.month = month;
    record.day = day;
    return record;
}

inline TradeRecord trade(int type, const char* code, std::int32_t shares, std::int32_t price,
                         std::int32_t fee, std::int64_t costBasis = 0) {
    TradeRecord t;
    t.kindState = kindStateOf(SlotKind::Trade, type);
    copyToField(t.code, sizeof t.code, code);
    t.shares = shares;
    t.price = price;
    t.fee = fee;
    t.costBasis = costBasis;
    t.reserved = kTradeMarker;
    return dated(t, 2024, 4, 1);
}

inline FundRecord fund(int type, const std::string& title, std::int32_t amount,
                       const std::string& memo) {
    FundRecord f;
    f.kindState = kindStateOf(SlotKind::Fund, type);
    copyToField(f.title, sizeof f.title, title);
    f.amount = amount;
    copyToField(f.memo, sizeof f.memo, memo);
    return dated(f, 2023, 12, 31);
}

inline StockRecord stock(int state, const char* code, std::int32_t shares, std::int64_t cost) {
    StockRecord s;
    s.kindState = kindStateOf(SlotKind::Stock, state);
    copyToField(s.code, sizeof s.code, code);
    s.shares = shares;
    s.cost = cost;
    s.price = 10500;
    s.takeProfitPrice = 11000;
    s.stopLossPrice = 9500;
    return dated(s, 2024, 2, 29);
}

// A sold position as the commands rewrite it: its price and take-profit price cleared.
inline StockRecord soldStock(const char* code, std::int32_t shares, std::int64_t cost,
                             std::int64_t proceeds) {
    StockRecord s = stock(kSoldState, code, shares, cost);
    s.proceeds = proceeds;
    s.price = 0;
    s.takeProfitPrice = 0;
    return s;
}

inline NoteRecord note(int state, const std::string& memo) {
    NoteRecord n;
    n.kindState = kindStateOf(SlotKind::Note, state);
    copyToField(n.memo, sizeof n.memo, memo);
    return n;
}

inline LedgerRecord deleted(LedgerRecord r) {
    r.markDeleted();
    return r;
}

// One account with a deposit, a withdrawal, an adjustment, a held position with its note and
// the buy that opened it, a sold position and its sale, plus a deleted slot and a stray note.
inline std::vector<LedgerRecord> sampleLedger() {
    StockRecord held = dated(stock(kHeldState, "600001", 1000, 10081000), 2024, 1, 3);
    held.price = 10500;
    held.takeProfitPrice = 11000;
    held.stopLossPrice = 9500;
    const StockRecord sold = dated(soldStock("0001", 500, 5000000, 5500000), 2023, 11, 20);
    return {
        LedgerRecord::of(dated(fund(kDeposit, gbk("存入"), 100000000, ""), 2024, 1, 2)),
        LedgerRecord::of(dated(trade(kBuy, "600001", 1000, 10000, 81000), 2024, 1, 3)),
        LedgerRecord::of(held),
        LedgerRecord::of(note(kHeldState, gbk("长线"))),
        deleted(LedgerRecord::of(dated(trade(kBuy, "600002", 100, 5000, 5000), 2024, 1, 4))),
        LedgerRecord::of(sold),
        LedgerRecord::of(dated(trade(kSell, "0001", 500, 11100, 46630, 5000000), 2023, 11, 20)),
        LedgerRecord::of(note(kSoldState, gbk("孤立"))),  // stray: the slot before is no stock
        LedgerRecord::of(
            dated(fund(kWithdrawal, gbk("支取"), -2000000, gbk("生活费")), 2024, 2, 1)),
        LedgerRecord::of(dated(fund(kAdjustment, gbk("增损"), -12500, gbk("利息税")), 2024, 2, 2)),
    };
}

// The names of the sample ledger's two codes.
inline std::vector<std::pair<std::string, std::string>> sampleNames() {
    return {{"600001", gbk("邯郸钢铁")}, {"1", gbk("平安")}};
}

}  // namespace tallivan::testing
