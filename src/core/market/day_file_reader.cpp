#include "market/day_file_reader.h"

#include <cstdint>

#include "base/little_endian.h"
#include "base/numbers.h"
#include "storage/scoped_file.h"

namespace tallivan {
namespace {

constexpr std::int64_t kDayRecordSize = 40;
constexpr std::size_t kCloseOffset = 16;

class DayFileReader final : public PriceReader {
  public:
    DayFileReader(FileSystem& fs, std::string directory)
        : fs_(fs), directory_(std::move(directory)) {}

    std::optional<double> closeOf(const std::string& code) override {
        ScopedFile file(fs_, dayFilePath(directory_, code), OpenMode::Read);
        if (!file.isOpen())
            return std::nullopt;
        // The last record is today's (or the latest trading day's); its date is not checked.
        // A length that is not a whole number of records means the file is being written or
        // is damaged: the last 40 bytes would then straddle two records.
        const std::int64_t size = fs_.size(file.handle());
        if (size < kDayRecordSize || size % kDayRecordSize != 0)
            return std::nullopt;
        unsigned char record[kDayRecordSize];
        if (!file.readAt(size - kDayRecordSize, record, sizeof record))
            return std::nullopt;
        const Extended yuan =
            static_cast<Extended>(loadLittleEndian<std::uint32_t>(record + kCloseOffset)) * 0.001L;
        return static_cast<double>(yuan);
    }

  private:
    FileSystem& fs_;
    std::string directory_;
};

}  // namespace

std::string dayFilePath(const std::string& directory, const std::string& code) {
    const char* market = code.size() == 4 ? "sznse" : "shase";
    return directory + "/data/" + market + "/day/" + code + ".day";
}

PriceReaderOpening openDayFileReader(FileSystem& fs, const std::string& directory) {
    // An empty text names no directory; the file layer would take it for the data directory.
    if (directory.empty() || !fs.isDirectory(directory))
        return {PriceSourceStatus::MissingDirectory, directory, nullptr};
    return {PriceSourceStatus::Ready, {}, std::make_unique<DayFileReader>(fs, directory)};
}

}  // namespace tallivan
