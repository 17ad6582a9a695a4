// The daily closing-price text "<dir>/YYYYMMDD.txt" of today's date: lines ended by CR LF,
// each with three comma-separated fields (the stock code, a field not used, the close in
// yuan), every field shorter than 12 characters.
#pragma once

#include <string>

#include "base/clock.h"
#include "market/price_reader.h"
#include "storage/file_io.h"

namespace tallivan {

// "YYYYMMDD.txt" (20010315.txt).
std::string closingTextFileName(const Date& today);

// Reads today's file whole and closes it at once. A file that cannot be opened is
// MissingFile; an empty or unreadable one, or one too big for memory, is NoData.
PriceReaderOpening openClosingTextReader(FileSystem& fs, const std::string& directory,
                                         const Date& today);

}  // namespace tallivan
