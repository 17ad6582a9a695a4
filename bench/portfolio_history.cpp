#include "portfolio_history.h"

#include "bench_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "base/gbk.h"
#include "base/numbers.h"
#include "base/random.h"
#include "ledger/cash_amount.h"
#include "ledger/fees.h"
#include "ledger/position_change.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"
#include "storage/name_table.h"
#include "storage/settings.h"

namespace tallivan::bench {

namespace {

// Shanghai and Shenzhen codes, and ChiNext ones of no category.
std::string codeOf(int n) {
    n %= 10000;
    char code[16];
    if (n % 3 == 0)
        std::snprintf(code, sizeof code, "6%05d", n);
    else if (n % 3 == 1)
        std::snprintf(code, sizeof code, "%04d", n);
    else
        std::snprintf(code, sizeof code, "3%05d", n);
    return code;
}

// Milli-yuan as the journal writes money: two decimals (every amount here is whole cents).
std::string money(std::int64_t milli) {
    const char* sign = milli < 0 ? "-" : "";
    const std::int64_t cents = (milli < 0 ? -milli : milli) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", sign, static_cast<long long>(cents / 100),
                  static_cast<long long>(cents % 100));
    return text;
}

struct Position {
    StockRecord held;
    StockRecord sold;
    bool heldOpen = false;
    bool soldOpen = false;
};

class History {
  public:
    History(int stocks) : positions_(static_cast<std::size_t>(stocks)) {
        random_.seed(20261210);
        settings_ = defaultSettings();
    }

    void generate(int transactions) {
        deposit(2000000000);  // two million yuan to start with
        for (int n = 1; n < transactions; ++n) {
            if (n % 15 == 0)
                nextDay();
            if (n % 50 == 0) {
                deposit(2000000000);
                continue;
            }
            const int stock = draw(static_cast<int>(positions_.size()));
            Position& p = positions_[static_cast<std::size_t>(stock)];
            const int choice = draw(10);
            if (!p.heldOpen || choice < 4)
                buy(stock);
            else if (choice < 7)
                sell(stock);
            else if (choice < 9)
                dividend(stock);
            else
                bonus(stock);
        }
    }

    void writeAccount(const std::string& root) const {
        std::filesystem::create_directories(root + "/zrdata");
        PosixFileSystem fs(root);
        saveSettings(fs, settings_);
        std::string names;
        for (std::size_t i = 0; i < positions_.size(); ++i) {
            const NameEntry e = makeNameEntry(*codeKey(codeOf(static_cast<int>(i))),
                                              gbk("股票") + std::to_string(i));
            names.append(reinterpret_cast<const char*>(&e), sizeof e);
        }
        std::ofstream(root + "/" + kNameTableFileName, std::ios::binary) << names;

        std::vector<LedgerRecord> slots = slots_;
        for (const Position& p : positions_) {
            for (const auto& [open, stock] :
                 {std::pair{p.heldOpen, p.held}, {p.soldOpen, p.sold}}) {
                if (!open)
                    continue;
                slots.push_back(LedgerRecord::of(stock));
                NoteRecord note;
                note.kindState = kindStateOf(SlotKind::Note, stock.state());
                copyToField(note.memo, sizeof note.memo, gbk("长线持有"));
                slots.push_back(LedgerRecord::of(note));
            }
        }
        AccountHeader header{};
        copyToField(header.title, sizeof header.title, "history");
        header.stopLossRatio = -5;
        header.stopLossLimit = -3000;
        header.takeProfitRatio = 10;
        header.takeProfitLimit = 10000;
        writeWholeAccount(root + "/zrdata/" + accountFileName(1), header, std::move(slots));
    }

    void writeJournal(const std::string& path) const { std::ofstream(path) << journal_; }

  private:
    int draw(int n) { return (random_.next() * 32768 + random_.next()) % n; }

    void nextDay() {
        if (++day_ > 28) {
            day_ = 1;
            if (++month_ > 12) {
                month_ = 1;
                ++year_;
            }
        }
    }

    template <class Record>
    void date(Record& r) const {
        r.year = static_cast<std::uint16_t>(year_);
        r.month = static_cast<std::uint8_t>(month_);
        r.day = static_cast<std::uint8_t>(day_);
    }

    void entry(const std::string& payee, const std::vector<std::string>& postings) {
        char head[32];
        std::snprintf(head, sizeof head, "%04d/%02d/%02d ", year_, month_, day_);
        journal_ += head + payee + '\n';
        for (const std::string& posting : postings)
            journal_ += "    " + posting + '\n';
        journal_ += '\n';
    }

    void deposit(std::int64_t milli) {
        FundRecord f;
        f.kindState = kindStateOf(SlotKind::Fund, kDeposit);
        copyToField(f.title, sizeof f.title, gbk("存入"));
        f.amount = static_cast<std::int32_t>(std::min<std::int64_t>(milli, INT32_MAX));
        date(f);
        slots_.push_back(LedgerRecord::of(f));
        entry("Deposit", {"Assets:Broker:Cash    " + money(f.amount) + " CNY", "Equity:Deposits"});
    }

    // Records `t` and applies it to the stock's positions, as recording it would.
    void record(int stock, TradeRecord t) {
        t.reserved = -1000000;
        date(t);
        slots_.push_back(LedgerRecord::of(t));
        Position& p = positions_[static_cast<std::size_t>(stock)];
        for (const LedgerList list : {LedgerList::Holdings, LedgerList::Sold}) {
            if (!changesPosition(t.type(), list))
                continue;
            const bool held = list == LedgerList::Holdings;
            StockRecord& s = held ? p.held : p.sold;
            if (!(held ? p.heldOpen : p.soldOpen)) {
                s = StockRecord{};
                s.kindState = kindStateOf(SlotKind::Stock, held ? kHeldState : kSoldState);
                std::memcpy(s.code, t.code, sizeof s.code);
                const std::int32_t price = held ? std::int32_t{t.price} : 0;
                s.price = price;
                s.takeProfitPrice = price + price / 10;
                s.stopLossPrice = price - price / 20;
                (held ? p.heldOpen : p.soldOpen) = true;
            }
            const PositionChange change = positionChange(t, list);
            s.shares = static_cast<std::int32_t>(s.shares + change.shares);
            s.cost = s.cost + change.cost;
            if (!held)
                s.proceeds = s.proceeds + change.proceeds;
            date(s);
            if (held ? s.shares == 0 : s.shares == 0 && s.proceeds == 0)
                (held ? p.heldOpen : p.soldOpen) = false;
        }
    }

    TradeRecord trade(int stock, int type, std::int32_t shares, std::int32_t price) const {
        TradeRecord t;
        t.kindState = kindStateOf(SlotKind::Trade, type);
        copyToField(t.code, sizeof t.code, codeOf(stock));
        t.shares = shares;
        t.price = price;
        if (type == kBuy || type == kSell) {
            const int category = categoryOfCode(settings_, codeOf(stock));
            t.fee = static_cast<std::int32_t>(
                toMilli(tradeFee(settings_.categories, shares, category, fromMilli(price),
                                 type == kSell ? TradeSide::Sell : TradeSide::Buy)));
        }
        return t;
    }

    std::string commodity(int stock) const { return "\"S" + codeOf(stock) + "\""; }
    std::string stocksAccount(int stock) const { return "Assets:Broker:Stocks:S" + codeOf(stock); }

    // A buy or a sale: the shares at their price, the fee, the cash.
    void tradeEntry(const char* payee, int stock, const TradeRecord& t) {
        const std::string shares = (t.type() == kSell ? "-" : "") + std::to_string(t.shares);
        entry(payee + codeOf(stock),
              {stocksAccount(stock) + "    " + shares + ' ' + commodity(stock) + " @ " +
                   money(t.price) + " CNY",
               "Expenses:Fees    " + money(t.fee) + " CNY",
               "Assets:Broker:Cash    " + money(toMilli(cashAmount(t))) + " CNY"});
    }

    void buy(int stock) {
        const TradeRecord t = trade(stock, kBuy, 100 * (1 + draw(20)), 10 * (300 + draw(4700)));
        record(stock, t);
        tradeEntry("Buy ", stock, t);
    }

    void sell(int stock) {
        const Position& p = positions_[static_cast<std::size_t>(stock)];
        const std::int32_t held = p.held.shares;
        const std::int64_t costHeld = p.held.cost;
        const std::int32_t shares = draw(3) == 0 ? held : std::max(100, held / 200 * 100);
        TradeRecord t = trade(stock, kSell, std::min(shares, held), 10 * (300 + draw(4700)));
        t.costBasis = saleCostBasis(t.shares, held, costHeld, toMilli(cashAmount(t)));
        record(stock, t);
        tradeEntry("Sell ", stock, t);
    }

    void dividend(int stock) {
        TradeRecord t = trade(stock, kDividend, 0, 0);
        t.fee = 10 * (1000 + draw(49000));
        record(stock, t);
        entry("Dividend " + codeOf(stock), {"Assets:Broker:Cash    " + money(t.fee) + " CNY",
                                            "Income:Dividends    -" + money(t.fee) + " CNY"});
    }

    void bonus(int stock) {
        const TradeRecord t = trade(stock, kBonusShares, 10 * (1 + draw(50)), 0);
        record(stock, t);
        entry("Bonus " + codeOf(stock), {stocksAccount(stock) + "    " + std::to_string(t.shares) +
                                             ' ' + commodity(stock) + " @ 0.00 CNY",
                                         "Equity:Bonus    0.00 CNY"});
    }

    LcgRandom random_;
    Settings settings_;
    std::vector<Position> positions_;
    std::vector<LedgerRecord> slots_;
    std::string journal_;
    int year_ = 2000, month_ = 1, day_ = 1;
};

}  // namespace

void writePortfolioHistory(const std::string& root, int transactions, int stocks) {
    History history(stocks);
    history.generate(transactions);
    history.writeAccount(root + "/tallivan");
    history.writeJournal(root + "/journal.ledger");
}

}  // namespace tallivan::bench
