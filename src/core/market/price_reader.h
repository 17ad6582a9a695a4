// What every market-data reader gives the price source: how opening went, and the close of
// one stock code as its files record it.
#pragma once

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

class PriceReader {
  public:
    virtual ~PriceReader() = default;
    // The close the files record for `code`, in yuan, or nothing when they hold no readable
    // record for it. Whether the value is a usable price is the price source's decision.
    virtual std::optional<double> closeOf(const std::string& code) = 0;
};

struct PriceReaderOpening {
    PriceSourceStatus status = PriceSourceStatus::Ready;
    std::string failedPath;               // for MissingDirectory and MissingFile
    std::unique_ptr<PriceReader> reader;  // set when Ready
};

}  // namespace tallivan
