// The market-data source the current prices of held stocks are read from: opened once for a
// price update, asked for the close of each held code, released at the end.
//
//   PriceSource source;
//   switch (source.open(fs, settings.priceSource, directory, clock.today())) { ... }
//   if (std::optional<double> close = source.readClosePrice(code)) ... toMilli(*close) ...
//   source.close();
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/clock.h"
#include "market/price_reader.h"
#include "storage/file_io.h"

namespace tallivan {

// The sources, in the order the price dialog lists them.
constexpr int kDayFileSource = 0;      // one .day file per stock
constexpr int kTypeDayDatSource = 1;   // type.dat with day.dat
constexpr int kClosingTextSource = 2;  // today's closing-price text
constexpr int kTdxDaySource = 3;       // a trading client's vipdoc day-line folder
constexpr int kPriceSourceCount = 4;

class PriceSource {
  public:
    PriceSource() = default;
    ~PriceSource() = default;
    PriceSource(PriceSource&&) noexcept = default;
    PriceSource& operator=(PriceSource&&) noexcept = default;
    PriceSource(const PriceSource&) = delete;
    PriceSource& operator=(const PriceSource&) = delete;

    // Opens source `index` below the main `directory`, taken exactly as typed: "/data/...",
    // "/db/..." or "/" and the file name are appended to it. `today` names the closing-price
    // text. Anything opened before is released first. `fs` must outlive the open source.
    PriceSourceStatus open(FileSystem& fs, int index, const std::string& directory,
                           const Date& today);

    // The directory (MissingDirectory) or file (MissingFile) the last open could not find.
    const std::string& failedPath() const { return failedPath_; }

    bool isOpen() const { return reader_ != nullptr; }

    // The latest close of `code` in yuan, ready for toMilli. Nothing when the source holds no
    // readable record for the code, when the close is not above zero (or rounds to zero
    // milli-yuan), or when it is too large for the 32-bit milli-yuan price of a position; the
    // caller then leaves the stock as it is. Nothing as well while the source is not open.
    std::optional<double> readClosePrice(const std::string& code);

    // The same with the close's day and, when there is none, the reason (a close that is no
    // usable price is "no record").
    PriceQuote readQuote(const std::string& code);

    // Releases the files and text the source holds; harmless after a failed open or twice.
    void close() { reader_.reset(); }

  private:
    std::unique_ptr<PriceReader> reader_;
    std::string failedPath_;
};

}  // namespace tallivan
