// The closes of past days, for valuing holdings at a date: the day files of the first
// market-data source hold every trading day of a stock, oldest first, each 40-byte record
// dated at offset 0 (unsigned 32-bit YYYYMMDD) with its close at offset 16 (thousandths of a
// yuan).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "storage/file_io.h"

namespace tallivan {

class ClosingPrices {
  public:
    virtual ~ClosingPrices() = default;
    // The close of `code` on its last trading day from `from` to `to` (YYYYMMDD, both
    // included), in yuan, or nothing when the source holds no such day.
    virtual std::optional<double> closeBetween(const std::string& code, std::int32_t from,
                                               std::int32_t to) = 0;
};

struct DayClose {
    std::int32_t date = 0;  // YYYYMMDD
    double close = 0;       // yuan
};

// Every day of a day file's bytes, ordered by date. A file that is not a whole number of
// records (being written, or damaged) yields nothing; records without a positive close or a
// plausible date are left out.
std::vector<DayClose> dayClosesOf(const std::string& bytes);

// The day files below `directory`, each read once when its code is first asked for. Nothing
// when the directory does not exist. `fs` must outlive the result.
std::unique_ptr<ClosingPrices> openDayFileHistory(FileSystem& fs, const std::string& directory);

}  // namespace tallivan
