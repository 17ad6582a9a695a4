// The byte layouts of an account file: a 132-byte header, then 40-byte slots. The structures
// are copied byte for byte between memory and file: every field has alignment 1 (numbers are
// Unaligned little-endian fields), so there is no padding, and every offset is checked below.
// Money is stored in milli-yuan, text as NUL-terminated GBK.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "storage/unaligned.h"

namespace tallivan {

constexpr std::size_t kHeaderSize = 132;
constexpr std::size_t kSlotSize = 40;
constexpr std::size_t kPasswordSize = 8;

// A password is its text's first 8 bytes padded with zero bytes; the empty password is 8 zeros.
using Password = std::array<char, kPasswordSize>;
using HeaderKey = std::array<std::uint8_t, 8>;
using SlotKey = std::array<std::uint8_t, 32>;

inline Password passwordFromText(std::string_view text) {
    Password password{};
    for (std::size_t k = 0; k < kPasswordSize && k < text.size(); ++k)
        password[k] = text[k];
    return password;
}

constexpr std::array<std::uint8_t, 4> kAccountMagic = {0x5A, 0x52, 0x90, 0xEB};
// Decodes to this only with the right password.
constexpr std::array<std::uint8_t, 8> kCheckPattern = {0xEB, 0x90, 0x51, 0x54,
                                                       0x4B, 0x5A, 0x52, 0x0A};

// Bytes 0..27 lie in the file as they are; bytes 28..131 are scrambled with the header key,
// and the header key itself is stored XOR-ed with the password.
struct AccountHeader {
    std::array<std::uint8_t, 4> magic{};
    char title[11] = {};  // at most 10 bytes
    Unaligned<std::uint16_t> year{};
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t spare1 = 0;
    HeaderKey headerKey{};
    std::array<std::uint8_t, 8> checkPattern{};
    Unaligned<double> stopLossRatio{};    // percent
    Unaligned<double> stopLossLimit{};    // yuan
    Unaligned<double> takeProfitRatio{};  // percent
    Unaligned<double> takeProfitLimit{};  // yuan
    char memo[31] = {};                   // at most 30 bytes
    std::uint8_t spare2 = 0;
    SlotKey slotKey{};
};

// The first bytes of every account file, readable without the password.
inline bool hasAccountMagic(const AccountHeader& header) {
    return header.magic == kAccountMagic;
}

// What a slot holds, in the high nibble of its first byte; the low nibble is a state.
enum class SlotKind : std::uint8_t {
    Trade = 0,
    Fund = 1,
    Stock = 2,
    Note = 4,  // belongs to the Stock slot directly before it
    Deleted = 15,
};

constexpr std::uint8_t kindStateOf(SlotKind kind, int state) {
    return static_cast<std::uint8_t>((static_cast<unsigned>(kind) << 4) | (state & 0x0F));
}
constexpr SlotKind slotKindOf(std::uint8_t kindState) {
    return static_cast<SlotKind>(kindState >> 4);
}
constexpr int slotStateOf(std::uint8_t kindState) {
    return kindState & 0x0F;
}

// States of a Stock slot (and of its Note).
constexpr int kSoldState = 0;
constexpr int kHeldState = 1;

// Trade types (the state of a Trade slot).
enum TradeType : int {
    kSell = 0,
    kBuy = 1,
    kRightsIssue = 2,
    kBonusShares = 3,
    kDividend = 4,
    kSubscription = 5,
    kSubscriptionWon = 6,
    kSubscriptionNotWon = 7,
};

// Fund movement types (the state of a Fund slot).
enum FundType : int {
    kDeposit = 0,
    kWithdrawal = 1,
    kAdjustment = 2,
};

// What the reserved field of a trade holds: nothing reads it, but the files hold these markers
// and new trades keep writing them.
constexpr std::int64_t kTradeMarker = -1000000;         // every trade not entered as below
constexpr std::int64_t kSubscriptionMarker = -1000001;  // a subscription entered by its command

// The take-profit price a new position starts with until the account's defaults price it.
constexpr std::int32_t kUnsetTakeProfitPrice = -1000000;

// One transaction.
struct TradeRecord {
    std::uint8_t kindState = kindStateOf(SlotKind::Trade, kBuy);
    char code[7] = {};  // at most 6 bytes
    Unaligned<std::int32_t> shares{};
    Unaligned<std::int64_t> costBasis{};  // milli-yuan; for a sale, the buy cost of the shares sold
    Unaligned<std::int32_t> price{};      // milli-yuan per share
    Unaligned<std::int32_t> fee{};        // milli-yuan; for a dividend, the cash received
    Unaligned<std::int64_t> reserved{};
    Unaligned<std::uint16_t> year{};
    std::uint8_t month = 0;
    std::uint8_t day = 0;

    TradeType type() const { return static_cast<TradeType>(slotStateOf(kindState)); }
};

// One deposit, withdrawal or adjustment of cash.
struct FundRecord {
    std::uint8_t kindState = kindStateOf(SlotKind::Fund, kDeposit);
    char title[7] = {};                // at most 6 bytes
    Unaligned<std::int32_t> amount{};  // milli-yuan, signed
    char memo[15] = {};                // at most 14 bytes
    std::uint8_t spare[9] = {};
    Unaligned<std::uint16_t> year{};
    std::uint8_t month = 0;
    std::uint8_t day = 0;

    FundType type() const { return static_cast<FundType>(slotStateOf(kindState)); }
};

// One position, held (state 1) or sold (state 0). Offset 28 holds the stop-loss price of a held
// position and the net proceeds so far of a sold one.
struct StockRecord {
    std::uint8_t kindState = kindStateOf(SlotKind::Stock, kHeldState);
    char code[7] = {};  // at most 6 bytes
    Unaligned<std::int32_t> shares{};
    Unaligned<std::int64_t> cost{};             // milli-yuan, buy price of the shares held or sold
    Unaligned<std::int32_t> price{};            // milli-yuan, current price of a held position
    Unaligned<std::int32_t> takeProfitPrice{};  // milli-yuan
    union {
        Unaligned<std::int64_t> stopLossPrice{};  // milli-yuan, held
        Unaligned<std::int64_t> proceeds;         // milli-yuan, sold
    };
    Unaligned<std::uint16_t> year{};  // date of the opening trade
    std::uint8_t month = 0;
    std::uint8_t day = 0;

    int state() const { return slotStateOf(kindState); }
    bool held() const { return state() == kHeldState; }
};

// The memo of the position in the slot before it.
struct NoteRecord {
    std::uint8_t kindState = kindStateOf(SlotKind::Note, kHeldState);
    char memo[31] = {};  // at most 30 bytes
    std::uint8_t spare[8] = {};
};

static_assert(sizeof(AccountHeader) == kHeaderSize && alignof(AccountHeader) == 1);
static_assert(offsetof(AccountHeader, title) == 4);
static_assert(offsetof(AccountHeader, year) == 15);
static_assert(offsetof(AccountHeader, spare1) == 19);
static_assert(offsetof(AccountHeader, headerKey) == 20);
static_assert(offsetof(AccountHeader, checkPattern) == 28);
static_assert(offsetof(AccountHeader, stopLossRatio) == 36);
static_assert(offsetof(AccountHeader, takeProfitLimit) == 60);
static_assert(offsetof(AccountHeader, memo) == 68);
static_assert(offsetof(AccountHeader, slotKey) == 100);

static_assert(sizeof(TradeRecord) == kSlotSize && alignof(TradeRecord) == 1);
static_assert(offsetof(TradeRecord, shares) == 8);
static_assert(offsetof(TradeRecord, costBasis) == 12);
static_assert(offsetof(TradeRecord, price) == 20);
static_assert(offsetof(TradeRecord, fee) == 24);
static_assert(offsetof(TradeRecord, reserved) == 28);
static_assert(offsetof(TradeRecord, year) == 36);
static_assert(offsetof(TradeRecord, day) == 39);

static_assert(sizeof(FundRecord) == kSlotSize && alignof(FundRecord) == 1);
static_assert(offsetof(FundRecord, amount) == 8);
static_assert(offsetof(FundRecord, memo) == 12);
static_assert(offsetof(FundRecord, spare) == 27);
static_assert(offsetof(FundRecord, year) == 36);

static_assert(sizeof(StockRecord) == kSlotSize && alignof(StockRecord) == 1);
static_assert(offsetof(StockRecord, cost) == 12);
static_assert(offsetof(StockRecord, price) == 20);
static_assert(offsetof(StockRecord, takeProfitPrice) == 24);
static_assert(offsetof(StockRecord, stopLossPrice) == 28);
static_assert(offsetof(StockRecord, proceeds) == 28);
static_assert(offsetof(StockRecord, year) == 36);

static_assert(sizeof(NoteRecord) == kSlotSize && alignof(NoteRecord) == 1);
static_assert(offsetof(NoteRecord, spare) == 32);

template <class T>
concept SlotView = std::is_trivially_copyable_v<T> && sizeof(T) == kSlotSize;

// The 40 plain bytes of one slot, whatever it holds. Read it through the view its kind names.
struct LedgerRecord {
    std::array<std::uint8_t, kSlotSize> bytes{};

    std::uint8_t kindState() const { return bytes[0]; }
    SlotKind kind() const { return slotKindOf(bytes[0]); }
    int state() const { return slotStateOf(bytes[0]); }
    bool isDeleted() const { return kind() == SlotKind::Deleted; }

    // Deleting keeps the state nibble and every other byte until the next compaction.
    void markDeleted() { bytes[0] = kindStateOf(SlotKind::Deleted, state()); }

    template <SlotView View>
    View as() const {
        View view;
        std::memcpy(static_cast<void*>(&view), bytes.data(), kSlotSize);
        return view;
    }

    template <SlotView View>
    static LedgerRecord of(const View& view) {
        LedgerRecord record;
        std::memcpy(record.bytes.data(), static_cast<const void*>(&view), kSlotSize);
        return record;
    }

    friend bool operator==(const LedgerRecord&, const LedgerRecord&) = default;
};

static_assert(sizeof(LedgerRecord) == kSlotSize);
static_assert(std::is_trivially_copyable_v<LedgerRecord>);
static_assert(std::is_trivially_copyable_v<AccountHeader>);

}  // namespace tallivan
