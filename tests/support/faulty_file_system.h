// A file layer over real files that misbehaves on demand and watches its handles: it stops
// writing after a number of changes (as if the machine stopped), tears the write it stops in,
// lies about sizes, fails reads after some bytes or refuses opens; and it remembers which
// handles are open, so that a test can tell that no file is left open.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "storage/file_io.h"

namespace tallivan::testing {

class FaultyFileSystem : public PosixFileSystem {
  public:
    using PosixFileSystem::PosixFileSystem;

    // Changes allowed before every further change fails: writes, cuts, syncs, renames,
    // removals and opens that may create a file each count one. Opening an existing file for
    // writing changes nothing yet, as on a full disk.
    std::optional<int> changesLeft;
    // What size() reports instead of the truth.
    std::optional<std::int64_t> reportedSize;
    // A read fails when it asks for more than this many bytes still readable (in all).
    std::optional<std::int64_t> bytesReadable;
    // Opens in these modes fail.
    std::set<OpenMode> refusedModes;
    // Opens for writing fail for paths that begin with one of these.
    std::set<std::string> refusedWritesTo;

    // The handles open now.
    std::set<int> openHandles;

    int open(const std::string& path, OpenMode mode) override {
        const bool mayCreate = mode != OpenMode::Read && mode != OpenMode::ReadWrite;
        if (refusedModes.count(mode) || (mayCreate && !spend()))
            return -1;
        for (const std::string& prefix : refusedWritesTo) {
            if (mode != OpenMode::Read && path.rfind(prefix, 0) == 0)
                return -1;
        }
        const int h = PosixFileSystem::open(path, mode);
        if (h >= 0)
            openHandles.insert(h);
        return h;
    }
    int close(int handle) override {
        openHandles.erase(handle);
        return PosixFileSystem::close(handle);
    }
    std::int64_t read(int handle, void* buffer, std::size_t size) override {
        if (bytesReadable && static_cast<std::int64_t>(size) > *bytesReadable)
            return -1;
        const std::int64_t n = PosixFileSystem::read(handle, buffer, size);
        if (bytesReadable && n > 0)
            *bytesReadable -= n;
        return n;
    }
    std::int64_t write(int handle, const void* buffer, std::size_t size) override {
        if (!spend()) {
            PosixFileSystem::write(handle, buffer, size / 2);  // torn
            return -1;
        }
        return PosixFileSystem::write(handle, buffer, size);
    }
    std::int64_t size(int handle) override {
        return reportedSize ? *reportedSize : PosixFileSystem::size(handle);
    }
    int truncate(int handle, std::int64_t length) override {
        return spend() ? PosixFileSystem::truncate(handle, length) : -1;
    }
    int sync(int handle) override { return spend() ? PosixFileSystem::sync(handle) : -1; }
    int rename(const std::string& from, const std::string& to) override {
        return spend() ? PosixFileSystem::rename(from, to) : -1;
    }
    int remove(const std::string& path) override {
        return spend() ? PosixFileSystem::remove(path) : -1;
    }

  private:
    bool spend() {
        if (!changesLeft)
            return true;
        if (*changesLeft <= 0)
            return false;
        --*changesLeft;
        return true;
    }
};

}  // namespace tallivan::testing
