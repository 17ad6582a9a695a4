// The day-line folder `vipdoc` of a trading client of the 通达信 kind: one file per code,
// "vipdoc/{sh,sz,bj}/lday/{sh,sz,bj}CODE.day", a run of 32-byte records, oldest first, little-
// endian: u32 date YYYYMMDD, u32 open, high, low, close, f32 amount, u32 volume, u32 reserved.
// Prices are in 0.01 yuan for shares and indexes, 0.001 yuan for funds, bonds and repos.
#pragma once

#include <string>

#include "market/price_reader.h"
#include "storage/file_io.h"

namespace tallivan {

// `directory` is the client's folder or its `vipdoc` itself; either must exist.
PriceReaderOpening openTdxDayReader(FileSystem& fs, const std::string& directory);

}  // namespace tallivan
