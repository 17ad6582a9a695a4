#include "storage/account_sealing.h"

#include <sodium.h>

#include <cstring>

#include "base/little_endian.h"

namespace tallivan {

namespace {

constexpr std::size_t kNonceSize = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr std::size_t kTagSize = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr std::size_t kFileIdAt = 8;
constexpr std::size_t kSaltAt = 24;
constexpr std::size_t kOpsAt = 40;
constexpr std::size_t kMemoryAt = 48;
constexpr std::size_t kKeyCheckAt = 64;
constexpr std::size_t kChecksumAt = 80;
constexpr std::size_t kCheckSize = 16;
// The header is bound to a number no slot has.
constexpr std::uint64_t kHeaderIndex = ~std::uint64_t{0};

static_assert(crypto_pwhash_SALTBYTES == kOpsAt - kSaltAt);
static_assert(kSealedSlotSize == kNonceSize + kSlotSize + kTagSize);
static_assert(kSealedHeaderSize == kSealPreambleSize + kNonceSize + kHeaderSize + kTagSize);

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// What a sealed image is bound to: its file's preamble and its number.
std::array<std::uint8_t, kSealPreambleSize + 8> associatedData(const SealedKey& key,
                                                               std::uint64_t index) {
    std::array<std::uint8_t, kSealPreambleSize + 8> data{};
    std::memcpy(data.data(), key.preamble.data(), kSealPreambleSize);
    storeLittleEndian(data.data() + kSealPreambleSize, index);
    return data;
}

std::string seal(const SealedKey& key, std::uint64_t index, const void* plain, std::size_t size) {
    std::string out(kNonceSize + size + kTagSize, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(out.data());
    randombytes_buf(bytes, kNonceSize);
    const auto data = associatedData(key, index);
    unsigned long long written = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        bytes + kNonceSize, &written, static_cast<const unsigned char*>(plain), size, data.data(),
        data.size(), nullptr, bytes, key.key.data());
    return out;
}

bool open(const SealedKey& key, std::uint64_t index, const std::uint8_t* sealed, void* plain,
          std::size_t size) {
    const auto data = associatedData(key, index);
    unsigned long long read = 0;
    return crypto_aead_xchacha20poly1305_ietf_decrypt(
               static_cast<unsigned char*>(plain), &read, nullptr, sealed + kNonceSize,
               size + kTagSize, data.data(), data.size(), sealed, key.key.data()) == 0 &&
           read == size;
}

// The key check: the key's keyed hash of the preamble's first part. Tells a wrong passphrase
// from a damaged file.
void keyCheck(const SealedKey& key, std::uint8_t* out) {
    crypto_generichash(out, kCheckSize, key.preamble.data(), kKeyCheckAt, key.key.data(),
                       key.key.size());
}

void checksum(const std::uint8_t* preamble, std::uint8_t* out) {
    crypto_generichash(out, kCheckSize, preamble, kChecksumAt, nullptr, 0);
}

bool derive(SealedKey& key, std::string_view passphrase) {
    const auto ops = loadLittleEndian<std::uint64_t>(key.preamble.data() + kOpsAt);
    const auto memory = loadLittleEndian<std::uint64_t>(key.preamble.data() + kMemoryAt);
    if (ops < crypto_pwhash_OPSLIMIT_MIN || ops > crypto_pwhash_OPSLIMIT_MAX ||
        memory < crypto_pwhash_MEMLIMIT_MIN || memory > crypto_pwhash_MEMLIMIT_MAX)
        return false;
    return crypto_pwhash(key.key.data(), key.key.size(), passphrase.data(), passphrase.size(),
                         key.preamble.data() + kSaltAt, ops, static_cast<std::size_t>(memory),
                         crypto_pwhash_ALG_ARGON2ID13) == 0;
}

}  // namespace

SealLimits defaultSealLimits() {
    return {crypto_pwhash_OPSLIMIT_MODERATE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

SealLimits minimalSealLimits() {
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

SealLimits& currentSealLimits() {
    static SealLimits limits = defaultSealLimits();
    return limits;
}

bool hasSealedMagic(const void* bytes, std::size_t size) {
    return size >= kSealedMagic.size() &&
           std::memcmp(bytes, kSealedMagic.data(), kSealedMagic.size()) == 0;
}

void wipeText(std::string& text) {
    if (!text.empty())
        sodium_memzero(text.data(), text.size());
    text.clear();
}

SealedKey::~SealedKey() {
    sodium_memzero(key.data(), key.size());
}

DerivedKey deriveSealedKey(const std::uint8_t* preamble, std::string_view passphrase) {
    DerivedKey result;
    std::uint8_t sum[kCheckSize];
    if (!sodiumReady() || !hasSealedMagic(preamble, kSealPreambleSize))
        return result;
    checksum(preamble, sum);
    if (std::memcmp(sum, preamble + kChecksumAt, kCheckSize) != 0)
        return result;
    auto key = std::make_shared<SealedKey>();
    std::memcpy(key->preamble.data(), preamble, kSealPreambleSize);
    if (!derive(*key, passphrase)) {
        result.status = SealStatus::NoMemory;
        return result;
    }
    std::uint8_t check[kCheckSize];
    keyCheck(*key, check);
    if (sodium_memcmp(check, preamble + kKeyCheckAt, kCheckSize) != 0) {
        result.status = SealStatus::WrongPassphrase;
        return result;
    }
    result.status = SealStatus::Ok;
    result.key = std::move(key);
    return result;
}

DerivedKey newSealedKey(std::string_view passphrase) {
    DerivedKey result;
    if (!sodiumReady())
        return result;
    auto key = std::make_shared<SealedKey>();
    std::uint8_t* p = key->preamble.data();
    std::memcpy(p, kSealedMagic.data(), kSealedMagic.size());
    randombytes_buf(p + kFileIdAt, kSaltAt - kFileIdAt);
    randombytes_buf(p + kSaltAt, crypto_pwhash_SALTBYTES);
    storeLittleEndian(p + kOpsAt, currentSealLimits().ops);
    storeLittleEndian(p + kMemoryAt, currentSealLimits().memory);
    if (!derive(*key, passphrase)) {
        result.status = SealStatus::NoMemory;
        return result;
    }
    keyCheck(*key, p + kKeyCheckAt);
    checksum(p, p + kChecksumAt);
    result.status = SealStatus::Ok;
    result.key = std::move(key);
    return result;
}

std::string sealHeader(const SealedKey& key, const AccountHeader& header) {
    std::string out(reinterpret_cast<const char*>(key.preamble.data()), kSealPreambleSize);
    return out + seal(key, kHeaderIndex, &header, sizeof header);
}

std::optional<AccountHeader> openHeader(const SealedKey& key, const std::uint8_t* sealed) {
    AccountHeader header;
    if (std::memcmp(sealed, key.preamble.data(), kSealPreambleSize) != 0 ||
        !open(key, kHeaderIndex, sealed + kSealPreambleSize, &header, sizeof header))
        return std::nullopt;
    return header;
}

std::string sealSlot(const SealedKey& key, std::int64_t index, const LedgerRecord& record) {
    return seal(key, static_cast<std::uint64_t>(index), record.bytes.data(), kSlotSize);
}

std::optional<LedgerRecord> openSlot(const SealedKey& key, std::int64_t index,
                                     const std::uint8_t* sealed) {
    LedgerRecord record;
    if (!open(key, static_cast<std::uint64_t>(index), sealed, record.bytes.data(), kSlotSize))
        return std::nullopt;
    return record;
}

}  // namespace tallivan
