// Reads a file's fixed-size records (or its bytes, as records of one char) from a position to
// its end in one pass. The file's size is only a hint (it may be wrong or change while
// reading): records are read in chunks until the end, and a partial record at the end is
// dropped.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "storage/file_io.h"

namespace tallivan {

struct RecordReadResult {
    bool reachedEnd = false;   // false: a read failed, the records after those read are unknown
    bool partialTail = false;  // the file ends inside a record
};

// Records held one after another in one block of memory (std::vector, std::string).
template <class Buffer>
concept RecordBuffer = std::is_trivially_copyable_v<typename Buffer::value_type> &&
    requires(Buffer buffer, std::size_t n) {
    buffer.reserve(n);
    buffer.resize(n);
    buffer.data();
    buffer.size();
};

// Appends to `records` every whole record from `offset` on, as far as the file can be read.
template <RecordBuffer Buffer>
RecordReadResult readRecords(FileSystem& fs, int handle, std::int64_t offset, Buffer& records) {
    using Record = typename Buffer::value_type;
    constexpr std::size_t kChunkRecords = 8192;
    RecordReadResult result;
    if (fs.seek(handle, offset) != offset)
        return result;
    // The size only sizes the buffer, so that a large file is read without regrowing it. A size
    // beyond any real file of these records (a lie) is not taken; the file is still read whole.
    constexpr std::int64_t kLargestSizeHint = std::int64_t{1} << 30;
    const std::int64_t size = fs.size(handle);
    const std::int64_t expected = size > offset ? size - offset : 0;
    if (expected > 0 && expected <= kLargestSizeHint) {
        try {
            records.reserve(records.size() + static_cast<std::size_t>(expected) / sizeof(Record) +
                            kChunkRecords);
        } catch (const std::bad_alloc&) {
        }
    }
    try {
        for (;;) {
            const std::size_t done = records.size();
            records.resize(done + kChunkRecords);
            const std::int64_t n = fs.read(handle, static_cast<void*>(records.data() + done),
                                           kChunkRecords * sizeof(Record));
            if (n < 0) {
                records.resize(done);
                return result;
            }
            const auto bytes = static_cast<std::size_t>(n);
            records.resize(done + bytes / sizeof(Record));
            if (bytes < kChunkRecords * sizeof(Record)) {
                result.reachedEnd = true;
                result.partialTail = bytes % sizeof(Record) != 0;
                return result;
            }
        }
    } catch (const std::bad_alloc&) {
        return result;
    } catch (const std::length_error&) {
        return result;
    }
}

}  // namespace tallivan
