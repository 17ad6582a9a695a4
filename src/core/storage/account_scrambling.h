// How an account file hides its content: every byte of the scrambled header part and of every
// slot is XOR-ed with key bytes the header carries, and the header key is XOR-ed with the
// password. Each step is its own inverse.
#pragma once

#include <cstdint>
#include <span>

#include "base/clock.h"
#include "base/random.h"
#include "storage/account_records.h"

namespace tallivan {

// Header bytes 20..27 ^= the password.
void applyPassword(AccountHeader& header, const Password& password);

// Header bytes 28..131 ^= the header key (bytes 20..27 as they stand), repeated.
void scrambleHeader(AccountHeader& header);

// Slot byte j ^= slotKey[4 * (index mod 8) + j mod 4]: each index uses one 4-byte group of
// the key, and the groups repeat every eight slots.
void scrambleSlot(LedgerRecord& slot, std::int64_t index, const SlotKey& key);

// scrambleSlot over consecutive slots, the first of them at `firstIndex`.
void scrambleSlots(std::span<LedgerRecord> slots, std::int64_t firstIndex, const SlotKey& key);

// The header as stored: scrambled, then the password applied. The order matters, since the
// scrambling uses bytes 20..27 as they stand.
AccountHeader encodeHeader(const AccountHeader& decoded, const Password& password);

// The plain header from the stored one: the password taken off, then unscrambled.
AccountHeader decodeHeader(const AccountHeader& stored, const Password& password);

// True when a decoded header shows the check pattern, that is when the password was right.
bool hasCheckPattern(const AccountHeader& decoded);

// Fills magic, header key, check pattern and slot key of a new header. The header key is drawn
// from the generator seeded with the clock; after the 100 ms pause the generator is seeded
// again and the slot key drawn. Key bytes lie in 33..219.
void makeHeaderKeys(AccountHeader& header, Clock& clock, Random& random);

}  // namespace tallivan
