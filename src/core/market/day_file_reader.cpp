#include "market/day_file_reader.h"

#include <cstdint>

#include "base/little_endian.h"
#include "base/numbers.h"
#include "market/code_market.h"
#include "storage/scoped_file.h"

namespace tallivan {
namespace {

constexpr std::int64_t kDayRecordSize = 40;
constexpr std::size_t kCloseOffset = 16;
constexpr std::size_t kDateOffset = 0;

class DayFileReader final : public PriceReader {
  public:
    DayFileReader(FileSystem& fs, std::string directory)
        : fs_(fs), directory_(std::move(directory)) {}

    std::optional<double> closeOf(const std::string& code) override { return quoteOf(code).close; }

    PriceQuote quoteOf(const std::string& code) override {
        PriceQuote quote;
        const std::optional<std::string> path = findDayFile(fs_, directory_, code);
        if (!path) {
            quote.miss = PriceMiss::NoFile;
            return quote;
        }
        quote.miss = PriceMiss::NoRecord;
        ScopedFile file(fs_, *path, OpenMode::Read);
        if (!file.isOpen())
            return quote;
        // The last record is today's (or the latest trading day's); its date is not checked.
        // A length that is not a whole number of records means the file is being written or
        // is damaged: the last 40 bytes would then straddle two records.
        const std::int64_t size = fs_.size(file.handle());
        if (size < kDayRecordSize || size % kDayRecordSize != 0)
            return quote;
        unsigned char record[kDayRecordSize];
        if (!file.readAt(size - kDayRecordSize, record, sizeof record))
            return quote;
        const Extended yuan =
            static_cast<Extended>(loadLittleEndian<std::uint32_t>(record + kCloseOffset)) * 0.001L;
        quote.close = static_cast<double>(yuan);
        quote.date = plausibleDayDate(loadLittleEndian<std::uint32_t>(record + kDateOffset));
        quote.miss = PriceMiss::None;
        return quote;
    }

  private:
    FileSystem& fs_;
    std::string directory_;
};

const char* folderOf(Market market) {
    switch (market) {
        case Market::Shanghai:
            return "shase";
        case Market::Shenzhen:
            return "sznse";
        case Market::Beijing:
            break;
    }
    return nullptr;  // the program keeps no Beijing folder
}

}  // namespace

std::int32_t plausibleDayDate(std::uint32_t key) {
    const std::uint32_t month = key / 100 % 100;
    const std::uint32_t day = key % 100;
    const bool plausible =
        key >= 19000101 && key <= 29991231 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
    return plausible ? static_cast<std::int32_t>(key) : 0;
}

std::optional<std::string> findDayFile(FileSystem& fs, const std::string& directory,
                                       const std::string& code) {
    for (Market market : marketsToSearch(code)) {
        const char* folder = folderOf(market);
        if (!folder)
            continue;
        std::string path = directory + "/data/" + folder + "/day/" + code + ".day";
        if (fs.exists(path))
            return path;
    }
    return std::nullopt;
}

PriceReaderOpening openDayFileReader(FileSystem& fs, const std::string& directory) {
    // An empty text names no directory; the file layer would take it for the data directory.
    if (directory.empty() || !fs.isDirectory(directory))
        return {PriceSourceStatus::MissingDirectory, directory, nullptr};
    return {PriceSourceStatus::Ready, {}, std::make_unique<DayFileReader>(fs, directory)};
}

}  // namespace tallivan
