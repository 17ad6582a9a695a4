// What every market-data reader gives the price source: how opening went, and the close of
// one stock code as its files record it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tallivan {

enum class PriceSourceStatus {
    Ready,             // closes can be read
    UnknownSource,     // the source index is none of the three sources
    MissingDirectory,  // the day files' main directory does not exist (the path is that directory)
    MissingFile,       // a file cannot be opened (the path is the file's full path)
    NoData,            // the closing-price text is empty, unreadable or too big to hold: stop
                       // without a message
};

// Why a source gives no price for a code.
enum class PriceMiss {
    None,       // a price was found
    NoFile,     // the code has no day file in any market
    NoRecord,   // its file holds no whole record, or no usable close
    NotListed,  // the list or table does not name the code
    NotKnown,   // the quote service does not know the code
};

// What a source says of one code: its close and the day it closed on (YYYYMMDD, 0 when the
// source gives none), or why there is none.
struct PriceQuote {
    std::optional<double> close;
    std::int32_t date = 0;
    PriceMiss miss = PriceMiss::None;
};

class PriceReader {
  public:
    virtual ~PriceReader() = default;
    // The close the files record for `code`, in yuan, or nothing when they hold no readable
    // record for it. Whether the value is a usable price is the price source's decision.
    virtual std::optional<double> closeOf(const std::string& code) = 0;
    // The close with its day and, when there is none, the reason. Readers that know neither
    // the day nor a finer reason say "not in the list".
    virtual PriceQuote quoteOf(const std::string& code) {
        PriceQuote quote;
        quote.close = closeOf(code);
        quote.miss = quote.close ? PriceMiss::None : PriceMiss::NotListed;
        return quote;
    }
};

struct PriceReaderOpening {
    PriceSourceStatus status = PriceSourceStatus::Ready;
    std::string failedPath;               // for MissingDirectory and MissingFile
    std::unique_ptr<PriceReader> reader;  // set when Ready
};

}  // namespace tallivan
