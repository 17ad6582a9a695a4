// Dates of records, and a new transaction as the recording commands start it.
#pragma once

#include <cstdint>

#include "base/clock.h"
#include "storage/account_records.h"

namespace tallivan {

// Sets the year, month and day of a transaction, fund movement or position.
template <class Record>
void setDate(Record& record, const Date& date) {
    record.year = static_cast<std::uint16_t>(date.year);
    record.month = static_cast<std::uint8_t>(date.month);
    record.day = static_cast<std::uint8_t>(date.day);
}

// A transaction of `type` dated `date`, with the `reserved` value its command writes and every
// other field zero.
inline TradeRecord newTrade(int type, std::int64_t reserved, const Date& date) {
    TradeRecord t;
    t.kindState = kindStateOf(SlotKind::Trade, type);
    t.reserved = reserved;
    setDate(t, date);
    return t;
}

}  // namespace tallivan
