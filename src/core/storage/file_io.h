// The one layer between the program and the operating system's files. Every operation returns
// a sentinel (-1, false or an empty optional) on failure and never throws. Paths are GBK text,
// relative to the data directory unless absolute, with "/" as separator; the layer turns them
// into the system's (UTF-8) names. Tests inject a layer that fails on purpose.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallivan {

// Files the program creates are readable by their owner alone (mode 0600): they hold a
// person's money. Only regular files are ever opened; a FIFO, device or directory is refused
// before anything could block on it.
enum class OpenMode {
    Read,             // existing file, reading
    ReadWrite,        // existing file, reading and writing
    ReadWriteNew,     // reading and writing, created when missing
    Create,           // writing, created or emptied
    CreateExclusive,  // writing, a new file; fails when the name exists
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // A handle >= 0, or -1.
    virtual int open(const std::string& path, OpenMode mode) = 0;
    // Bytes read or written (a short count at the end of a file), or -1.
    virtual std::int64_t read(int handle, void* buffer, std::size_t size) = 0;
    virtual std::int64_t write(int handle, const void* buffer, std::size_t size) = 0;
    // The new position, or -1.
    virtual std::int64_t seek(int handle, std::int64_t offset) = 0;
    virtual std::int64_t size(int handle) = 0;
    virtual int truncate(int handle, std::int64_t length) = 0;
    // Flushes the file's data to the disk.
    virtual int sync(int handle) = 0;
    virtual int close(int handle) = 0;

    // Replaces `to` by `from` atomically and makes the change durable in the directory.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
    virtual int makeDirectory(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // Names (not paths) of the regular files in `directory` ending in `suffix`, sorted by name.
    virtual std::vector<std::string> listFiles(const std::string& directory,
                                               const std::string& suffix) = 0;

    // The file a path names at last: a symbolic link is followed to its target, so that a file
    // replaced through the link stays a link. A path that is not a link comes back as it is.
    virtual std::string resolveLink(const std::string& path) { return path; }
    // Gives the open file `handle` the permission bits of the file `from` (0 when `from` does
    // not exist: the new file keeps its own).
    virtual int copyPermissions(const std::string& /*from*/, int /*handle*/) { return 0; }
    // Takes an exclusive advisory lock on the open file, waiting up to `timeoutMillis` for
    // another program to release it. 0, or -1 when it could not be had in time. The lock goes
    // with the handle's close.
    virtual int lockExclusive(int /*handle*/, int /*timeoutMillis*/) { return 0; }
    // Makes the entries of a directory (a removal, a new name) durable.
    virtual int syncDirectory(const std::string& /*directory*/) { return 0; }
};

// The real files, below `root` (a system path; empty means the current directory).
class PosixFileSystem : public FileSystem {
  public:
    explicit PosixFileSystem(std::string root = std::string());

    int open(const std::string& path, OpenMode mode) override;
    std::int64_t read(int handle, void* buffer, std::size_t size) override;
    std::int64_t write(int handle, const void* buffer, std::size_t size) override;
    std::int64_t seek(int handle, std::int64_t offset) override;
    std::int64_t size(int handle) override;
    int truncate(int handle, std::int64_t length) override;
    int sync(int handle) override;
    int close(int handle) override;
    int rename(const std::string& from, const std::string& to) override;
    int remove(const std::string& path) override;
    int makeDirectory(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& directory,
                                       const std::string& suffix) override;
    std::string resolveLink(const std::string& path) override;
    int copyPermissions(const std::string& from, int handle) override;
    int lockExclusive(int handle, int timeoutMillis) override;
    int syncDirectory(const std::string& directory) override;

    // The system path of a program path.
    std::string systemPath(const std::string& path) const;

  private:
    std::string root_;
};

// "a/b" with the platform separator; an empty `directory` gives `name` alone.
std::string joinPath(const std::string& directory, const std::string& name);

// The directory part of a path ("" when it has none).
std::string parentPath(const std::string& path);

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(FileSystem& fs, const std::string& path);

// Writes `content` to a temporary file of a unique name beside `path` (beside the target of a
// link), with the old file's permission bits, syncs it and renames it over the old file, so
// that a crash leaves either the old or the new file and a reader never sees half of one.
// Returns 0 or -1 (the old file is then untouched and the temporary file removed).
int replaceFileDurably(FileSystem& fs, const std::string& path, const std::string& content);

}  // namespace tallivan
