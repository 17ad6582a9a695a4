// A statement compared with the account it is to be imported into: which rows the account
// holds already, which it cannot take (a sale of shares it does not hold), and the order in
// which the new ones are recorded.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ledger/ledger_rows.h"
#include "statement/statement_entries.h"

namespace tallivan {

// What the account holds, as its rows show it.
struct AccountHoldings {
    std::map<std::string, std::int64_t> sharesHeld;  // by code
    // The shares of each subscription still waiting for its outcome, by code.
    std::map<std::string, std::vector<std::int32_t>> subscriptions;
    // One key per recorded transaction and fund movement (see holdingKey).
    std::multiset<std::string> recorded;
    // The brokers' numbers of rows imported before (see imported_ids.h), with their keys.
    std::map<std::string, std::string> importedIds;
};

// The holdings of `account` among the rows of `lists`.
AccountHoldings holdingsOf(const LedgerLists& lists, const AccountNode* account);

struct StatementPreview {
    std::vector<std::string> header;  // the statement's captions (GBK)
    std::vector<StatementEntry> entries;
    // The new entries (indexes into `entries`) in the order they are recorded: by date and
    // time, rows of one moment in the order they happened.
    std::vector<std::size_t> order;

    // The cash the new entries move (milli-yuan, money received positive), to be checked
    // against the statement's balance before importing.
    std::int64_t newCash = 0;

    // The number of entries of each status, in the order of ImportStatus.
    std::array<std::size_t, 5> counts() const;
};

// The key a new entry is recorded under, the one its number is kept with.
std::string recordedKey(const StatementEntry& entry);

// Compares the mapped entries with the account. An entry the account holds already (one whose
// broker's number was imported before and whose row is still there, a transaction of the same
// date, type, code, shares, price and fee, or a fund movement of the same date, type and
// amount; the shares of a won subscription by code and shares) is a duplicate, as many times as
// the account holds it, with the reason in its note; a sale of more shares than are held at
// that moment, and bonus shares or a rights issue of a stock not held, are invalid. The shares
// of a won subscription are its allotment when the account holds the subscription, else a
// purchase at their price.
void comparePreview(StatementPreview& preview, const AccountHoldings& holdings);

}  // namespace tallivan
