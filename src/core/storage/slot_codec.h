// How the slots of one account file lie on disk: scrambled (the account file's own format: a
// 132-byte header, 40-byte slots XOR-ed with the header's slot key) or sealed (see
// account_sealing.h: a 268-byte header part, 80-byte sealed slots). The journal, the loader and
// the compaction write and read slot images through this alone.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "storage/account_records.h"
#include "storage/account_sealing.h"

namespace tallivan {

class SlotCodec {
  public:
    explicit SlotCodec(const SlotKey& key) : slotKey_(key) {}
    explicit SlotCodec(std::shared_ptr<const SealedKey> key) : sealed_(std::move(key)) {}

    bool isSealed() const { return sealed_ != nullptr; }
    std::size_t headerSize() const { return isSealed() ? kSealedHeaderSize : kHeaderSize; }
    std::size_t imageSize() const { return isSealed() ? kSealedSlotSize : kSlotSize; }
    std::int64_t slotOffset(std::int64_t index) const;
    // The whole slots of a file of `fileSize` bytes (0 when it is shorter than its header).
    std::int64_t slotCount(std::int64_t fileSize) const;

    // The header part as stored: encoded with `password`, or sealed (the password unused).
    std::string encodeHeader(const AccountHeader& decoded, const Password& password) const;
    // The image of `record` (plain) as it is stored in slot `index`.
    std::string encode(std::int64_t index, const LedgerRecord& record) const;
    // The plain record from an image of imageSize() bytes; nothing when a sealed image was
    // changed, moved or comes from another file.
    std::optional<LedgerRecord> decode(std::int64_t index, const std::uint8_t* image) const;

  private:
    SlotKey slotKey_{};
    std::shared_ptr<const SealedKey> sealed_;
};

// Where slot `index` lies in a file whose slot images are `imageSize` bytes long (the two
// formats have different image sizes, so an image tells its file's layout).
std::int64_t slotOffsetOfImage(std::size_t imageSize, std::int64_t index);

}  // namespace tallivan
