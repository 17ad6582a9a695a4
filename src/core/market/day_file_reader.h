// Day-line files with one file per stock: "<dir>/data/sznse/day/<code>.day" for a Shenzhen
// code (every four-digit code among them), "<dir>/data/shase/day/<code>.day" for a Shanghai
// one. A file is a run of 40-byte day records, oldest first, dated at offset 0 (unsigned
// 32-bit YYYYMMDD); the close of a record is an unsigned 32-bit count of thousandths of a
// yuan at offset 16.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "market/price_reader.h"
#include "storage/file_io.h"

namespace tallivan {

// The day file of `code` below the main `directory` (taken exactly as typed) that exists: the
// market its number names first, then the other one.
std::optional<std::string> findDayFile(FileSystem& fs, const std::string& directory,
                                       const std::string& code);

// A record's date key when it is a plausible YYYYMMDD, else 0.
std::int32_t plausibleDayDate(std::uint32_t key);

// Checks that `directory` (the main directory exactly as typed) exists; no file is opened
// until a code is asked for, and each code's file is closed again before its close is returned.
PriceReaderOpening openDayFileReader(FileSystem& fs, const std::string& directory);

}  // namespace tallivan
