#include "storage/closed_holding.h"

#include <map>
#include <string>

namespace tallivan {

namespace {

constexpr std::uint8_t kClosedMark[sizeof NoteRecord::spare] = {'C', 'L', 'O', 'S', 'E', 'D', 0, 0};

bool closedPairAt(const std::vector<LedgerRecord>& slots, std::size_t i) {
    if (i + 1 >= slots.size())
        return false;
    const LedgerRecord& stock = slots[i];
    const LedgerRecord& note = slots[i + 1];
    if (!stock.isDeleted() || !note.isDeleted() || stock.state() != kHeldState)
        return false;
    const auto n = note.as<NoteRecord>();
    return std::memcmp(n.spare, kClosedMark, sizeof kClosedMark) == 0;
}

std::string codeOf(const LedgerRecord& slot) {
    const auto s = slot.as<StockRecord>();
    std::string code(s.code, sizeof s.code);
    return code.substr(0, code.find('\0'));
}

}  // namespace

void markClosedBySale(NoteRecord& note) {
    std::memcpy(note.spare, kClosedMark, sizeof kClosedMark);
}

void clearClosedMark(NoteRecord& note) {
    std::memset(note.spare, 0, sizeof note.spare);
}

std::optional<ClosedHolding> lastClosedHolding(const std::vector<LedgerRecord>& slots,
                                               std::string_view code) {
    std::optional<ClosedHolding> found;
    for (std::size_t i = 0; i + 1 < slots.size(); ++i) {
        if (closedPairAt(slots, i) && codeOf(slots[i]) == code)
            found = ClosedHolding{slots[i].as<StockRecord>(), slots[i + 1].as<NoteRecord>(),
                                  static_cast<int>(i + 1)};
    }
    return found;
}

std::vector<bool> slotsToKeep(const std::vector<LedgerRecord>& slots) {
    std::vector<bool> keep(slots.size());
    std::map<std::string, std::size_t> lastPair;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        keep[i] = !slots[i].isDeleted();
        if (closedPairAt(slots, i))
            lastPair[codeOf(slots[i])] = i;
    }
    for (const auto& [code, i] : lastPair)
        keep[i] = keep[i + 1] = true;
    return keep;
}

}  // namespace tallivan
