// A holding that a sale closed leaves its stock slot and its note in the file, deleted as every
// finished position is, with a mark in the note's spare bytes. Readers skip deleted slots, so
// the file shows what it showed; but undoing or correcting that sale gives the holding back its
// current price, targets, memo and opening date instead of inventing new ones. A compaction
// keeps the last such pair of each code and drops every other deleted slot.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "storage/account_records.h"

namespace tallivan {

// Marks the note of a holding a sale closed (its spare bytes, which nothing else reads).
void markClosedBySale(NoteRecord& note);
void clearClosedMark(NoteRecord& note);

struct ClosedHolding {
    StockRecord stock;  // as it was when the sale closed it, kind deleted
    NoteRecord note;    // its memo, kind deleted
    int noteSlot = -1;
};

// The holding of `code` closed last by a sale, from the account's plain slots: a deleted held
// stock slot directly followed by its deleted, marked note.
std::optional<ClosedHolding> lastClosedHolding(const std::vector<LedgerRecord>& slots,
                                               std::string_view code);

// Which slots a compaction keeps: the live ones, and the last closed holding of each code.
std::vector<bool> slotsToKeep(const std::vector<LedgerRecord>& slots);

}  // namespace tallivan
