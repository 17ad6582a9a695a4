#include "storage/account_scrambling.h"

#include <algorithm>

#include "base/little_endian.h"

namespace tallivan {

namespace {

constexpr std::size_t kHeaderKeyOffset = 20;
constexpr std::size_t kScrambledOffset = 28;
constexpr std::size_t kKeyGroups = 8;
constexpr std::size_t kKeyGroupSize = 4;

unsigned char* bytesOf(AccountHeader& header) {
    return reinterpret_cast<unsigned char*>(&header);
}

// The XOR pattern of eight consecutive slots starting at `firstIndex`.
std::array<std::uint8_t, kKeyGroups * kSlotSize> slotMask(std::int64_t firstIndex,
                                                          const SlotKey& key) {
    std::array<std::uint8_t, kKeyGroups * kSlotSize> mask{};
    for (std::size_t s = 0; s < kKeyGroups; ++s) {
        // Nonnegative index mod 8 even for a negative index.
        const auto group =
            static_cast<std::size_t>(((firstIndex + static_cast<std::int64_t>(s)) % 8 + 8) % 8);
        for (std::size_t j = 0; j < kSlotSize; ++j)
            mask[s * kSlotSize + j] = key[group * kKeyGroupSize + j % kKeyGroupSize];
    }
    return mask;
}

// Draws key bytes: result mod 220, skipping values up to 32.
std::uint8_t drawKeyByte(Random& random) {
    for (;;) {
        const int r = random.next() % 220;
        if (r > 32)
            return static_cast<std::uint8_t>(r);
    }
}

}  // namespace

void applyPassword(AccountHeader& header, const Password& password) {
    for (std::size_t k = 0; k < kPasswordSize; ++k)
        header.headerKey[k] ^= static_cast<std::uint8_t>(password[k]);
}

void scrambleHeader(AccountHeader& header) {
    unsigned char* bytes = bytesOf(header);
    const HeaderKey key = header.headerKey;
    for (std::size_t i = 0; i < kHeaderSize - kScrambledOffset; ++i)
        bytes[kScrambledOffset + i] ^= key[i % key.size()];
    static_assert(kHeaderKeyOffset + sizeof(HeaderKey) == kScrambledOffset);
}

void scrambleSlot(LedgerRecord& slot, std::int64_t index, const SlotKey& key) {
    scrambleSlots(std::span<LedgerRecord>(&slot, 1), index, key);
}

void scrambleSlots(std::span<LedgerRecord> slots, std::int64_t firstIndex, const SlotKey& key) {
    const auto mask = slotMask(firstIndex, key);
    // Eight bytes at a time: a whole account decodes in one pass over memory.
    static_assert(kSlotSize % sizeof(std::uint64_t) == 0);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        std::uint8_t* bytes = slots[i].bytes.data();
        const std::uint8_t* pattern = mask.data() + (i % kKeyGroups) * kSlotSize;
        for (std::size_t j = 0; j < kSlotSize; j += sizeof(std::uint64_t)) {
            storeLittleEndian(bytes + j, loadLittleEndian<std::uint64_t>(bytes + j) ^
                                             loadLittleEndian<std::uint64_t>(pattern + j));
        }
    }
}

AccountHeader encodeHeader(const AccountHeader& decoded, const Password& password) {
    AccountHeader stored = decoded;
    scrambleHeader(stored);
    applyPassword(stored, password);
    return stored;
}

AccountHeader decodeHeader(const AccountHeader& stored, const Password& password) {
    AccountHeader decoded = stored;
    applyPassword(decoded, password);
    scrambleHeader(decoded);
    return decoded;
}

bool hasCheckPattern(const AccountHeader& decoded) {
    return decoded.checkPattern == kCheckPattern;
}

void makeHeaderKeys(AccountHeader& header, Clock& clock, Random& random) {
    random.seed(static_cast<std::uint32_t>(clock.secondsNow()));
    for (std::uint8_t& b : header.headerKey)
        b = drawKeyByte(random);
    header.magic = kAccountMagic;
    header.checkPattern = kCheckPattern;
    clock.pause();
    random.seed(static_cast<std::uint32_t>(clock.secondsNow()));
    for (std::uint8_t& b : header.slotKey)
        b = drawKeyByte(random);
}

}  // namespace tallivan
