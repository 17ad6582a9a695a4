// A sealed account file: nothing in it reads without the passphrase. A clear preamble holds what
// deriving the key needs (a random file id, the salt and the limits of Argon2id); the header and
// every slot are sealed with XChaCha20-Poly1305 under a fresh random nonce each time they are
// written, bound to the file (the preamble is their associated data) and to their slot number, so
// a changed, moved or copied image does not open. All cryptography is libsodium's.
//
//   preamble  0..7 magic, 8..23 file id, 24..39 salt, 40..47 ops limit, 48..55 memory limit,
//             56..63 zero, 64..79 key check, 80..95 checksum of bytes 0..79
//   header    nonce (24), the 132-byte plain header sealed (148)
//   slot i    at 268 + 80 * i: nonce (24), the 40-byte plain slot sealed (56)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "storage/account_records.h"

namespace tallivan {

constexpr std::size_t kSealPreambleSize = 96;
constexpr std::size_t kSealedHeaderSize = kSealPreambleSize + 24 + kHeaderSize + 16;
constexpr std::size_t kSealedSlotSize = 24 + kSlotSize + 16;
constexpr std::array<std::uint8_t, 8> kSealedMagic = {'T', 'L', 'V', 'S', 'E', 'A', 'L', '1'};

// The cost of deriving a key, stored in every file so it can be raised later.
struct SealLimits {
    std::uint64_t ops = 0;
    std::uint64_t memory = 0;
};
// About half a second on an ordinary machine.
SealLimits defaultSealLimits();
// The cheapest limits libsodium allows (for tests and benchmarks only).
SealLimits minimalSealLimits();
// The limits new seals are made with; the faces may lower them for their tests.
SealLimits& currentSealLimits();

// Overwrites a passphrase's text before it goes.
void wipeText(std::string& text);

// Whether the first bytes of a file are those of a sealed account.
bool hasSealedMagic(const void* bytes, std::size_t size);

// The key of one sealed file with the preamble it is bound to. Wiped when it goes.
class SealedKey {
  public:
    SealedKey() = default;
    ~SealedKey();
    SealedKey(const SealedKey&) = delete;
    SealedKey& operator=(const SealedKey&) = delete;

    std::array<std::uint8_t, 32> key{};
    std::array<std::uint8_t, kSealPreambleSize> preamble{};
};

enum class SealStatus { Ok, WrongPassphrase, Damaged, NoMemory };

struct DerivedKey {
    SealStatus status = SealStatus::Damaged;
    std::shared_ptr<const SealedKey> key;
};

// The key of the file whose preamble this is: Damaged when the preamble is not whole,
// WrongPassphrase when the key does not match the key check.
DerivedKey deriveSealedKey(const std::uint8_t* preamble, std::string_view passphrase);

// A new file id, salt and key for `passphrase` under the current limits.
DerivedKey newSealedKey(std::string_view passphrase);

// The sealed header part (preamble, nonce, sealed header) of `header`.
std::string sealHeader(const SealedKey& key, const AccountHeader& header);
// The plain header from the sealed header part (kSealedHeaderSize bytes); nothing when it was
// changed or belongs to another key.
std::optional<AccountHeader> openHeader(const SealedKey& key, const std::uint8_t* sealed);

// Slot `index` sealed (kSealedSlotSize bytes), and opened again.
std::string sealSlot(const SealedKey& key, std::int64_t index, const LedgerRecord& record);
std::optional<LedgerRecord> openSlot(const SealedKey& key, std::int64_t index,
                                     const std::uint8_t* sealed);

}  // namespace tallivan
