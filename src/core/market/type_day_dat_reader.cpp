#include "market/type_day_dat_reader.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "base/little_endian.h"
#include "storage/name_table.h"
#include "storage/scoped_file.h"

namespace tallivan {
namespace {

constexpr std::int64_t kTypeHeaderSize = 8;
constexpr std::size_t kEntrySize = 208;
constexpr std::size_t kDayCountOffset = 16;
constexpr std::size_t kBlockListOffset = 18;
constexpr std::int64_t kBlockListLength = 95;
constexpr std::size_t kEntriesPerRead = 512;

constexpr std::int64_t kDayHeaderSize = 4;
constexpr std::int64_t kRecordsPerBlock = 300;
constexpr std::int64_t kDayRecordSize = 24;
constexpr std::int64_t kBlockSize = kRecordsPerBlock * kDayRecordSize;
constexpr std::size_t kCloseOffset = 12;

constexpr std::int64_t kNoRecord = -1;

// Where in day.dat the stock's last day record lies, or kNoRecord when it has none or its
// index lies beyond the block list.
std::int64_t lastRecordOffset(const unsigned char* entry) {
    const std::int64_t count = loadLittleEndian<std::uint16_t>(entry + kDayCountOffset);
    if (count == 0)
        return kNoRecord;
    const std::int64_t last = count - 1;
    const std::int64_t listIndex = last / kRecordsPerBlock;
    if (listIndex >= kBlockListLength)
        return kNoRecord;
    const std::int64_t block =
        loadLittleEndian<std::uint16_t>(entry + kBlockListOffset + 2 * listIndex);
    return kDayHeaderSize + block * kBlockSize + (last % kRecordsPerBlock) * kDayRecordSize;
}

class TypeDayDatReader final : public PriceReader {
  public:
    explicit TypeDayDatReader(ScopedFile dayFile) : dayFile_(std::move(dayFile)) {}

    // One pass over the entries instead of one search per stock; an incomplete last entry or a
    // failed read ends the entries.
    void indexEntries(ScopedFile& typeFile) {
        FileSystem& fs = typeFile.fileSystem();
        if (fs.seek(typeFile.handle(), kTypeHeaderSize) != kTypeHeaderSize)
            return;
        std::vector<unsigned char> chunk(kEntriesPerRead * kEntrySize);
        for (;;) {
            const std::int64_t got = fs.read(typeFile.handle(), chunk.data(), chunk.size());
            if (got <= 0)
                return;
            const std::size_t entries = static_cast<std::size_t>(got) / kEntrySize;
            for (std::size_t e = 0; e < entries; ++e) {
                const unsigned char* entry = chunk.data() + e * kEntrySize;
                lastRecords_.emplace(loadLittleEndian<std::int32_t>(entry),
                                     lastRecordOffset(entry));
            }
            if (static_cast<std::size_t>(got) < chunk.size())
                return;
        }
    }

    std::optional<double> closeOf(const std::string& code) override {
        // The stock number is the code's key in the name table.
        const std::optional<std::int32_t> number = codeKey(code);
        if (!number)
            return std::nullopt;
        const auto found = lastRecords_.find(*number);
        if (found == lastRecords_.end() || found->second == kNoRecord)
            return std::nullopt;
        unsigned char record[kDayRecordSize];
        if (!dayFile_.readAt(found->second, record, sizeof record))
            return std::nullopt;
        return static_cast<double>(loadLittleEndian<float>(record + kCloseOffset));
    }

  private:
    ScopedFile dayFile_;
    std::unordered_map<std::int32_t, std::int64_t> lastRecords_;
};

}  // namespace

PriceReaderOpening openTypeDayDatReader(FileSystem& fs, const std::string& directory) {
    const std::string typePath = directory + "/db/type.dat";
    const std::string dayPath = directory + "/db/day.dat";
    ScopedFile typeFile(fs, typePath, OpenMode::Read);
    if (!typeFile.isOpen())
        return {PriceSourceStatus::MissingFile, typePath, nullptr};
    ScopedFile dayFile(fs, dayPath, OpenMode::Read);
    if (!dayFile.isOpen())
        return {PriceSourceStatus::MissingFile, dayPath, nullptr};
    auto reader = std::make_unique<TypeDayDatReader>(std::move(dayFile));
    reader->indexEntries(typeFile);
    return {PriceSourceStatus::Ready, {}, std::move(reader)};
}

}  // namespace tallivan
