// A file of the file layer that closes itself, so that no early return or exception leaves a
// file open. Movable, so that a reader can keep its file open for as long as it lives.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "storage/file_io.h"

namespace tallivan {

class ScopedFile {
  public:
    ScopedFile(FileSystem& fs, const std::string& path, OpenMode mode)
        : fs_(&fs), handle_(fs.open(path, mode)) {}
    ~ScopedFile() { close(); }
    ScopedFile(ScopedFile&& other) noexcept
        : fs_(other.fs_), handle_(std::exchange(other.handle_, -1)) {}
    ScopedFile& operator=(ScopedFile&& other) noexcept {
        if (this != &other) {
            close();
            fs_ = other.fs_;
            handle_ = std::exchange(other.handle_, -1);
        }
        return *this;
    }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;

    bool isOpen() const { return handle_ >= 0; }
    int handle() const { return handle_; }
    FileSystem& fileSystem() const { return *fs_; }

    // Exactly `size` bytes at `offset`; a short read counts as a failure.
    bool readAt(std::int64_t offset, void* buffer, std::size_t size) {
        return isOpen() && fs_->seek(handle_, offset) == offset &&
               fs_->read(handle_, buffer, size) == static_cast<std::int64_t>(size);
    }

    // Exactly `size` bytes at `offset`; a short write counts as a failure.
    bool writeAt(std::int64_t offset, const void* buffer, std::size_t size) {
        return isOpen() && fs_->seek(handle_, offset) == offset &&
               fs_->write(handle_, buffer, size) == static_cast<std::int64_t>(size);
    }

    // Closes now; false when closing failed (written data may then be lost).
    bool close() {
        if (handle_ < 0)
            return true;
        return fs_->close(std::exchange(handle_, -1)) == 0;
    }

  private:
    FileSystem* fs_;
    int handle_;
};

}  // namespace tallivan
