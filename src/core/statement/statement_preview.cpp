#include "statement/statement_preview.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "base/gbk.h"
#include "base/numbers.h"
#include "ledger/row_format.h"
#include "statement/imported_ids.h"

namespace tallivan {

namespace {

// Keys compare what the lists show: a recorded transaction is known by its row's texts, so an
// entry is turned into the texts its row would show.
std::string tradeKey(std::string_view date, std::string_view code, int type,
                     std::string_view shares, std::string_view price, std::string_view fee) {
    std::string key = "T";
    const std::string typeText = std::to_string(type);
    for (const std::string_view part :
         {date, code, std::string_view(typeText), shares, price, fee}) {
        key += '\t';
        key += part;
    }
    return key;
}

std::string fundKey(std::string_view date, int type, std::string_view amount) {
    return "F\t" + std::string(date) + '\t' + std::to_string(type) + '\t' + std::string(amount);
}

// A won subscription keeps the subscription's date and price: it is known by code and shares.
std::string wonKey(std::string_view code, std::string_view shares) {
    return "W\t" + std::string(code) + '\t' + std::string(shares);
}

std::string keyOf(const StatementEntry& e) {
    if (e.command == ImportCommand::Won)
        return wonKey(e.code, std::to_string(e.shares));
    const std::string date = dateText(e.date->year, e.date->month, e.date->day);
    switch (e.command) {
        case ImportCommand::Deposit:
        case ImportCommand::Withdrawal:
        case ImportCommand::Adjustment:
            return fundKey(date, fundTypeOf(e.command), rows::money(rows::yuan(e.amount)));
        case ImportCommand::Dividend:
            return tradeKey(date, e.code, kDividend, "0", rows::money(0),
                            rows::money(rows::yuan(e.amount)));
        default:
            return tradeKey(date, e.code, tradeTypeOf(e.command), std::to_string(e.shares),
                            rows::money(rows::yuan(e.price)), rows::money(rows::yuan(e.fee)));
    }
}

// Takes one of `key` out of the recorded ones; false when there is none left.
bool takeRecorded(std::multiset<std::string>& recorded, const std::string& key) {
    const auto it = recorded.find(key);
    if (it == recorded.end())
        return false;
    recorded.erase(it);
    return true;
}

// The entries in the order they happened. A statement lists them oldest or newest first;
// rows of one moment keep that order, turned round when the statement runs backwards.
std::vector<std::size_t> timeOrder(const std::vector<StatementEntry>& entries) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].status == ImportStatus::New)
            order.push_back(i);
    }
    const auto moment = [&](std::size_t i) {
        const StatementEntry& e = entries[i];
        return std::tuple(e.date->year, e.date->month, e.date->day, e.time);
    };
    // The way most neighbours run is the way the statement runs.
    std::ptrdiff_t forward = 0;
    for (std::size_t k = 1; k < order.size(); ++k) {
        if (moment(order[k - 1]) < moment(order[k]))
            ++forward;
        else if (moment(order[k]) < moment(order[k - 1]))
            --forward;
    }
    if (forward < 0)
        std::reverse(order.begin(), order.end());
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return moment(a) < moment(b); });
    return order;
}

// What recording the entry does to the account's cash.
std::int64_t cashOf(const StatementEntry& e) {
    const std::int64_t value = e.price * e.shares;
    switch (e.command) {
        case ImportCommand::Buy:
            return -(value + e.fee);
        case ImportCommand::Sell:
            return value - e.fee;
        case ImportCommand::RightsIssue:
            return -value;
        case ImportCommand::Dividend:
        case ImportCommand::Deposit:
        case ImportCommand::Withdrawal:
        case ImportCommand::Adjustment:
            return e.amount;
        default:
            return 0;
    }
}

void markDuplicate(StatementEntry& e, std::string reason) {
    e.status = ImportStatus::Duplicate;
    e.note = std::move(reason);
}

// Takes the row recorded under the entry's broker's number, when it is still there.
bool takeById(AccountHoldings& h, const StatementEntry& e) {
    const std::string name = importedIdName(e);
    if (name.empty())
        return false;
    const auto it = h.importedIds.find(name);
    if (it == h.importedIds.end() || !takeRecorded(h.recorded, it->second))
        return false;
    h.importedIds.erase(it);
    return true;
}

void refuse(StatementEntry& e, const char* reason) {
    e.status = ImportStatus::Invalid;
    e.note = gbk(reason);
}

}  // namespace

AccountHoldings holdingsOf(const LedgerLists& lists, const AccountNode* account) {
    AccountHoldings h;
    for (const LedgerRow& row : lists.rows(LedgerList::Holdings)) {
        if (row.ref && row.ref->owner == account) {
            h.sharesHeld[std::string(row.text(stock_column::kCode))] +=
                parseInt(row.text(stock_column::kShares)).value_or(0);
        }
    }
    for (const LedgerRow& row : lists.rows(LedgerList::Trades)) {
        if (!row.ref || row.ref->owner != account)
            continue;
        const int type = row.ref->state();
        const std::string_view code = row.text(trade_column::kCode);
        const std::string_view shares = row.text(trade_column::kShares);
        if (type == kSubscription) {
            h.subscriptions[std::string(code)].push_back(parseInt(shares).value_or(0));
        } else if (type == kSubscriptionWon) {
            h.recorded.insert(wonKey(code, shares));
        }
        h.recorded.insert(tradeKey(row.text(trade_column::kDate), code, type, shares,
                                   row.text(trade_column::kPrice), row.text(trade_column::kFee)));
    }
    for (const LedgerRow& row : lists.rows(LedgerList::Funds)) {
        if (row.ref && row.ref->owner == account) {
            h.recorded.insert(fundKey(row.text(fund_column::kDate), row.ref->state(),
                                      row.text(fund_column::kAmount)));
        }
    }
    return h;
}

std::array<std::size_t, 5> StatementPreview::counts() const {
    std::array<std::size_t, 5> n{};
    for (const StatementEntry& e : entries)
        ++n[static_cast<std::size_t>(e.status)];
    return n;
}

void comparePreview(StatementPreview& preview, const AccountHoldings& holdings) {
    AccountHoldings h = holdings;
    auto& entries = preview.entries;
    preview.order.clear();
    preview.newCash = 0;
    static const std::string byValues = gbk("账户已有同样的记录");
    for (const std::size_t i : timeOrder(entries)) {
        StatementEntry& e = entries[i];
        if (takeById(h, e)) {
            markDuplicate(e, gbk("编号 ") + e.id + gbk(" 已导入"));
            continue;
        }
        if (e.operation == StatementOperation::NewShares) {
            if (takeRecorded(h.recorded, wonKey(e.code, std::to_string(e.shares)))) {
                markDuplicate(e, byValues);
                continue;
            }
            // The allotment of the first subscription of the code that asked for as many.
            auto& asked = h.subscriptions[e.code];
            const auto it = std::find_if(asked.begin(), asked.end(),
                                         [&](std::int32_t n) { return n >= e.shares; });
            if (it != asked.end() &&
                h.sharesHeld[e.code] + e.shares <= std::numeric_limits<std::int32_t>::max()) {
                asked.erase(it);
                e.command = ImportCommand::Won;
                preview.order.push_back(i);
                preview.newCash += cashOf(e);
                h.sharesHeld[e.code] += e.shares;
                continue;
            }
        }
        if (takeRecorded(h.recorded, keyOf(e))) {
            markDuplicate(e, byValues);
            continue;
        }
        std::int64_t& held = h.sharesHeld[e.code];
        // A position keeps its shares in 32 bits.
        const bool adds = e.command == ImportCommand::Buy ||
                          e.command == ImportCommand::BonusShares ||
                          e.command == ImportCommand::RightsIssue;
        if (adds && held + e.shares > std::numeric_limits<std::int32_t>::max()) {
            refuse(e, "股数超出范围");
            continue;
        }
        switch (e.command) {
            case ImportCommand::Sell:
                if (held <= 0) {
                    refuse(e, "未持有该股票");
                    continue;
                }
                if (held < e.shares) {
                    refuse(e, "卖出股数大于持有股数");
                    continue;
                }
                held -= e.shares;
                break;
            case ImportCommand::BonusShares:
            case ImportCommand::RightsIssue:
                if (held <= 0) {
                    refuse(e, "未持有该股票");
                    continue;
                }
                held += e.shares;
                break;
            case ImportCommand::Buy:
                held += e.shares;
                break;
            default:
                break;
        }
        preview.order.push_back(i);
        preview.newCash += cashOf(e);
    }
}

std::string recordedKey(const StatementEntry& entry) {
    return keyOf(entry);
}

}  // namespace tallivan
