// The transactions and fund movements of the account or group shown, as records rebuilt from
// their rows (the rows are the ledger's working copy), in the order they happened: by date,
// and within a day in the order they were recorded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ledger/ledger_rows.h"
#include "storage/account_records.h"

namespace tallivan {

struct DatedTrade {
    TradeRecord record;
    const AccountNode* owner = nullptr;
    std::int32_t date = 0;  // YYYYMMDD
    std::int32_t slot = 0;  // in the owner's file: a slot recorded later lies further on
};

struct DatedFund {
    FundRecord record;
    const AccountNode* owner = nullptr;
    std::int32_t date = 0;  // YYYYMMDD
    std::int32_t slot = 0;
};

struct NodeHistory {
    std::vector<DatedTrade> trades;  // oldest first
    std::vector<DatedFund> funds;    // oldest first
};

NodeHistory nodeHistory(const LedgerLists& lists);

// A trade's code as one number that orders as the codes do (the 7 bytes of the field, NUL
// padded, read big-endian), and back to the code's text.
std::uint64_t packedCode(const TradeRecord& trade);
std::string unpackedCode(std::uint64_t packed);

// A deposit or a withdrawal: money put into or taken out of the accounts. Adjustments are
// gains and losses of the cash (interest, charges), not money put in.
inline bool movesCapital(const FundRecord& fund) {
    return fund.type() == kDeposit || fund.type() == kWithdrawal;
}

}  // namespace tallivan
