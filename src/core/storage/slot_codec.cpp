#include "storage/slot_codec.h"

#include <cstring>

#include "storage/account_scrambling.h"

namespace tallivan {

std::int64_t slotOffsetOfImage(std::size_t imageSize, std::int64_t index) {
    const std::size_t header = imageSize == kSealedSlotSize ? kSealedHeaderSize : kHeaderSize;
    return static_cast<std::int64_t>(header) + static_cast<std::int64_t>(imageSize) * index;
}

std::int64_t SlotCodec::slotOffset(std::int64_t index) const {
    return slotOffsetOfImage(imageSize(), index);
}

std::int64_t SlotCodec::slotCount(std::int64_t fileSize) const {
    const auto header = static_cast<std::int64_t>(headerSize());
    return fileSize < header ? 0 : (fileSize - header) / static_cast<std::int64_t>(imageSize());
}

std::string SlotCodec::encodeHeader(const AccountHeader& decoded, const Password& password) const {
    if (sealed_)
        return sealHeader(*sealed_, decoded);
    const AccountHeader stored = tallivan::encodeHeader(decoded, password);
    return std::string(reinterpret_cast<const char*>(&stored), sizeof stored);
}

std::string SlotCodec::encode(std::int64_t index, const LedgerRecord& record) const {
    if (sealed_)
        return sealSlot(*sealed_, index, record);
    LedgerRecord stored = record;
    scrambleSlot(stored, index, slotKey_);
    return std::string(reinterpret_cast<const char*>(stored.bytes.data()), kSlotSize);
}

std::optional<LedgerRecord> SlotCodec::decode(std::int64_t index, const std::uint8_t* image) const {
    if (sealed_)
        return openSlot(*sealed_, index, image);
    LedgerRecord record;
    std::memcpy(record.bytes.data(), image, kSlotSize);
    scrambleSlot(record, index, slotKey_);
    return record;
}

}  // namespace tallivan
