// A file handle of the file layer that closes itself, so that no early return or exception
// leaves a market-data file open.
#pragma once

#include <utility>

#include "storage/file_io.h"

namespace tallivan::market {

class OpenFile {
  public:
    OpenFile(FileSystem& fs, const std::string& path, OpenMode mode)
        : fs_(&fs), handle_(fs.open(path, mode)) {}
    ~OpenFile() { close(); }
    OpenFile(OpenFile&& other) noexcept
        : fs_(other.fs_), handle_(std::exchange(other.handle_, -1)) {}
    OpenFile& operator=(OpenFile&& other) noexcept {
        if (this != &other) {
            close();
            fs_ = other.fs_;
            handle_ = std::exchange(other.handle_, -1);
        }
        return *this;
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool isOpen() const { return handle_ >= 0; }
    int handle() const { return handle_; }
    FileSystem& fileSystem() const { return *fs_; }

    void close() {
        if (handle_ >= 0)
            fs_->close(std::exchange(handle_, -1));
    }

    // Exactly `size` bytes at `offset`, or false (a short read at the end counts as a failure).
    bool readAt(std::int64_t offset, void* buffer, std::size_t size) {
        return handle_ >= 0 && fs_->seek(handle_, offset) == offset &&
               fs_->read(handle_, buffer, size) == static_cast<std::int64_t>(size);
    }

  private:
    FileSystem* fs_;
    int handle_;
};

}  // namespace tallivan::market
