// Day-line files with one file per stock: "<dir>/data/sznse/day/<code>.day" for a code of four
// characters, "<dir>/data/shase/day/<code>.day" for any other. A file is a run of 40-byte day
// records, oldest first; the close of a record is an unsigned 32-bit count of thousandths of a
// yuan at offset 16.
#pragma once

#include <string>

#include "market/price_reader.h"
#include "storage/file_io.h"

namespace tallivan {

// The day file of `code` below the main `directory` (taken exactly as typed).
std::string dayFilePath(const std::string& directory, const std::string& code);

// Checks that `directory` (the main directory exactly as typed) exists; no file is opened
// until a code is asked for, and each code's file is closed again before its close is returned.
PriceReaderOpening openDayFileReader(FileSystem& fs, const std::string& directory);

}  // namespace tallivan
