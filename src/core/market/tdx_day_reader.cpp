#include "market/tdx_day_reader.h"

#include <cstdint>

#include "base/little_endian.h"
#include "base/numbers.h"
#include "market/code_market.h"
#include "market/day_file_reader.h"
#include "storage/scoped_file.h"

namespace tallivan {
namespace {

constexpr std::int64_t kRecordSize = 32;
constexpr std::size_t kDateOffset = 0;
constexpr std::size_t kCloseOffset = 16;

class TdxDayReader final : public PriceReader {
  public:
    TdxDayReader(FileSystem& fs, std::string vipdoc) : fs_(fs), vipdoc_(std::move(vipdoc)) {}

    std::optional<double> closeOf(const std::string& code) override { return quoteOf(code).close; }

    PriceQuote quoteOf(const std::string& code) override {
        PriceQuote quote;
        quote.miss = PriceMiss::NoFile;
        for (Market market : marketsToSearch(code)) {
            const std::string prefix = marketPrefix(market);
            const std::string path = vipdoc_ + "/" + prefix + "/lday/" + prefix + code + ".day";
            if (!fs_.exists(path))
                continue;
            return lastRecordOf(path, code);
        }
        return quote;
    }

  private:
    // The close of the last whole record: a trailing part of one (a file being written) is
    // left aside; a file without a whole record gives no price, never a wrong one.
    PriceQuote lastRecordOf(const std::string& path, const std::string& code) {
        PriceQuote quote;
        quote.miss = PriceMiss::NoRecord;
        ScopedFile file(fs_, path, OpenMode::Read);
        if (!file.isOpen())
            return quote;
        const std::int64_t whole = fs_.size(file.handle()) / kRecordSize;
        if (whole < 1)
            return quote;
        unsigned char record[kRecordSize];
        if (!file.readAt((whole - 1) * kRecordSize, record, sizeof record))
            return quote;
        const Extended unit = dayPricesInMilli(code) ? 0.001L : 0.01L;
        const std::uint32_t close = loadLittleEndian<std::uint32_t>(record + kCloseOffset);
        quote.close = static_cast<double>(static_cast<Extended>(close) * unit);
        quote.date = plausibleDayDate(loadLittleEndian<std::uint32_t>(record + kDateOffset));
        quote.miss = PriceMiss::None;
        return quote;
    }

    FileSystem& fs_;
    std::string vipdoc_;
};

}  // namespace

PriceReaderOpening openTdxDayReader(FileSystem& fs, const std::string& directory) {
    if (directory.empty())
        return {PriceSourceStatus::MissingDirectory, directory, nullptr};
    const std::string inside = directory + "/vipdoc";
    if (fs.isDirectory(inside))
        return {PriceSourceStatus::Ready, {}, std::make_unique<TdxDayReader>(fs, inside)};
    if (fs.isDirectory(directory))
        return {PriceSourceStatus::Ready, {}, std::make_unique<TdxDayReader>(fs, directory)};
    return {PriceSourceStatus::MissingDirectory, directory, nullptr};
}

}  // namespace tallivan
