#include "market/price_source.h"

#include <cmath>
#include <cstdint>
#include <new>

#include "base/numbers.h"
#include "market/closing_text_reader.h"
#include "market/day_file_reader.h"
#include "market/tdx_day_reader.h"
#include "market/type_day_dat_reader.h"

namespace tallivan {
namespace {

PriceReaderOpening openReader(FileSystem& fs, int index, const std::string& directory,
                              const Date& today) {
    switch (index) {
        case kDayFileSource:
            return openDayFileReader(fs, directory);
        case kTypeDayDatSource:
            return openTypeDayDatReader(fs, directory);
        case kClosingTextSource:
            return openClosingTextReader(fs, directory, today);
        case kTdxDaySource:
            return openTdxDayReader(fs, directory);
        default:
            return {PriceSourceStatus::UnknownSource, {}, nullptr};
    }
}

// A close becomes a position's price as whole milli-yuan in a signed 32-bit field: a value that
// rounds to nothing, or that the field cannot hold, would store a wrong price.
bool isUsablePrice(double close) {
    if (!std::isfinite(close))
        return false;
    const std::int64_t milli = toMilli(close);
    return milli >= 1 && milli <= INT32_MAX;
}

}  // namespace

PriceSourceStatus PriceSource::open(FileSystem& fs, int index, const std::string& directory,
                                    const Date& today) {
    close();
    failedPath_.clear();
    PriceReaderOpening opening;
    try {
        opening = openReader(fs, index, directory, today);
    } catch (const std::bad_alloc&) {
        // Indexing a huge file ran out of memory; whatever was opened has closed itself.
        return PriceSourceStatus::NoData;
    }
    failedPath_ = std::move(opening.failedPath);
    reader_ = std::move(opening.reader);
    return opening.status;
}

std::optional<double> PriceSource::readClosePrice(const std::string& code) {
    return readQuote(code).close;
}

PriceQuote PriceSource::readQuote(const std::string& code) {
    if (!reader_)
        return {std::nullopt, 0, PriceMiss::NoRecord};
    PriceQuote quote = reader_->quoteOf(code);
    if (quote.close && !isUsablePrice(*quote.close)) {
        quote.close.reset();
        quote.miss = PriceMiss::NoRecord;
    }
    if (!quote.close)
        quote.date = 0;
    return quote;
}

}  // namespace tallivan
