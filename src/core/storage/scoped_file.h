// A file of the file layer that closes itself, so that no early return leaves a file open.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "storage/file_io.h"

namespace tallivan {

class ScopedFile {
  public:
    ScopedFile(FileSystem& fs, const std::string& path, OpenMode mode)
        : fs_(fs), handle_(fs.open(path, mode)) {}
    ~ScopedFile() { close(); }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;

    bool isOpen() const { return handle_ >= 0; }
    int handle() const { return handle_; }

    // Exactly `size` bytes at `offset`; a short read counts as a failure.
    bool readAt(std::int64_t offset, void* buffer, std::size_t size) {
        return isOpen() && fs_.seek(handle_, offset) == offset &&
               fs_.read(handle_, buffer, size) == static_cast<std::int64_t>(size);
    }

    // Exactly `size` bytes at `offset`; a short write counts as a failure.
    bool writeAt(std::int64_t offset, const void* buffer, std::size_t size) {
        return isOpen() && fs_.seek(handle_, offset) == offset &&
               fs_.write(handle_, buffer, size) == static_cast<std::int64_t>(size);
    }

    // Closes now; false when closing failed (written data may then be lost).
    bool close() {
        if (handle_ < 0)
            return true;
        return fs_.close(std::exchange(handle_, -1)) == 0;
    }

  private:
    FileSystem& fs_;
    int handle_;
};

}  // namespace tallivan
