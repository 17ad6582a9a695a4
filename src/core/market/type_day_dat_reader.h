// Day lines of all stocks in one pair of files below "<dir>/db/":
//  - type.dat: an 8-byte header, then 208-byte stock entries: the stock number (signed 32-bit,
//    the code's decimal value, plus 1000000 from 10000 on) at 0, the number of day records
//    (unsigned 16-bit) at 16, and from 18 a list of 95 unsigned 16-bit block numbers: day
//    records 0-299 lie in the first listed block, 300-599 in the second, and so on;
//  - day.dat: a 4-byte header, then blocks of 300 day records of 24 bytes (7200 bytes); the
//    close of a record is a single-precision float in yuan at offset 12.
#pragma once

#include <string>

#include "market/price_reader.h"
#include "storage/file_io.h"

namespace tallivan {

// Opens type.dat, then day.dat (the first one missing is reported), reads where each stock's
// last day record lies from type.dat once and closes it; day.dat stays open until the reader is
// released. When a stock number appears twice, its first entry counts.
PriceReaderOpening openTypeDayDatReader(FileSystem& fs, const std::string& directory);

}  // namespace tallivan
