#include "storage/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>

#include "base/gbk.h"
#include "storage/record_reader.h"
#include "storage/scoped_file.h"

namespace tallivan {

PosixFileSystem::PosixFileSystem(std::string root) : root_(std::move(root)) {}

std::string PosixFileSystem::systemPath(const std::string& path) const {
    const std::string native = gbkToUtf8(path);
    if (root_.empty() || (!native.empty() && native[0] == '/'))
        return native.empty() ? "." : native;
    if (native.empty())
        return root_;
    return root_ + "/" + native;
}

int PosixFileSystem::open(const std::string& path, OpenMode mode) {
    // Not blocking: opening a FIFO must not wait for a writer; a regular file ignores it.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
        case OpenMode::Read:
            flags |= O_RDONLY;
            break;
        case OpenMode::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenMode::ReadWriteNew:
            flags |= O_RDWR | O_CREAT;
            break;
        case OpenMode::Create:
            flags |= O_WRONLY | O_CREAT;
            break;
        case OpenMode::CreateExclusive:
            flags |= O_WRONLY | O_CREAT | O_EXCL;
            break;
    }
    const std::string native = systemPath(path);
    int fd;
    do {
        fd = ::open(native.c_str(), flags, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    // Emptied only now that it is known to be a regular file.
    if (mode == OpenMode::Create && st.st_size != 0 && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::int64_t PosixFileSystem::read(int handle, void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(handle, static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t PosixFileSystem::write(int handle, const void* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(handle, static_cast<const char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t PosixFileSystem::seek(int handle, std::int64_t offset) {
    if (offset < 0)
        return -1;
    const off_t pos = ::lseek(handle, static_cast<off_t>(offset), SEEK_SET);
    return pos < 0 ? -1 : static_cast<std::int64_t>(pos);
}

std::int64_t PosixFileSystem::size(int handle) {
    struct stat st {};
    if (fstat(handle, &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

int PosixFileSystem::truncate(int handle, std::int64_t length) {
    return ::ftruncate(handle, static_cast<off_t>(length)) == 0 ? 0 : -1;
}

int PosixFileSystem::sync(int handle) {
    return ::fsync(handle) == 0 ? 0 : -1;
}

int PosixFileSystem::close(int handle) {
    return ::close(handle) == 0 ? 0 : -1;
}

int PosixFileSystem::rename(const std::string& from, const std::string& to) {
    if (::rename(systemPath(from).c_str(), systemPath(to).c_str()) != 0)
        return -1;
    // Make the new directory entry durable as well.
    syncDirectory(parentPath(to));
    return 0;
}

int PosixFileSystem::syncDirectory(const std::string& directory) {
    const std::string native = systemPath(directory);
    const int fd = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int synced = ::fsync(fd);
    ::close(fd);
    return synced == 0 ? 0 : -1;
}

int PosixFileSystem::remove(const std::string& path) {
    return ::unlink(systemPath(path).c_str()) == 0 ? 0 : -1;
}

int PosixFileSystem::makeDirectory(const std::string& path) {
    return ::mkdir(systemPath(path).c_str(), 0755) == 0 ? 0 : -1;
}

bool PosixFileSystem::isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(systemPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat st {};
    return ::stat(systemPath(path).c_str(), &st) == 0;
}

std::vector<std::string> PosixFileSystem::listFiles(const std::string& directory,
                                                    const std::string& suffix) {
    std::vector<std::string> names;
    const std::string native = systemPath(directory);
    DIR* dir = ::opendir(native.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = utf8ToGbk(entry->d_name);
        if (name.size() < suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        struct stat st {};
        if (::stat((native + "/" + entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string PosixFileSystem::resolveLink(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(systemPath(current).c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        char target[4096];
        const ssize_t n = ::readlink(systemPath(current).c_str(), target, sizeof target - 1);
        if (n <= 0)
            return current;
        const std::string link = utf8ToGbk(std::string(target, static_cast<std::size_t>(n)));
        // A relative target is relative to the link's own directory.
        current = link.front() == '/' ? link : joinPath(parentPath(current), link);
    }
    return current;
}

int PosixFileSystem::copyPermissions(const std::string& from, int handle) {
    struct stat st {};
    if (::stat(systemPath(from).c_str(), &st) != 0)
        return errno == ENOENT ? 0 : -1;
    return ::fchmod(handle, st.st_mode & 07777) == 0 ? 0 : -1;
}

int PosixFileSystem::lockExclusive(int handle, int timeoutMillis) {
    constexpr int kPollMillis = 10;
    for (int waited = 0;; waited += kPollMillis) {
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return -1;
        if (waited >= timeoutMillis)
            return -1;
        const timespec pause{0, kPollMillis * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
}

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    if (directory.back() == '/')
        return directory + name;
    return directory + "/" + name;
}

std::string parentPath(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::optional<std::string> readWholeFile(FileSystem& fs, const std::string& path) {
    ScopedFile file(fs, path, OpenMode::Read);
    if (!file.isOpen())
        return std::nullopt;
    // Read up to the end, not up to the size reported: the size may be wrong or change.
    std::string content;
    if (!readRecords(fs, file.handle(), 0, content).reachedEnd)
        return std::nullopt;
    return content;
}

namespace {

// A name no other writer uses at the same time, in the directory of `target`: two programs (or
// two commands) replacing one file never write into each other's temporary file.
int createTemporaryBeside(FileSystem& fs, const std::string& target, std::string& temporary) {
    static std::atomic<std::uint64_t> counter{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ".tmp" + std::to_string(counter.fetch_add(1) % 100000000);
        const int h = fs.open(temporary, OpenMode::CreateExclusive);
        if (h >= 0 || !fs.exists(temporary))
            return h;
    }
    return -1;
}

}  // namespace

int replaceFileDurably(FileSystem& fs, const std::string& path, const std::string& content) {
    const std::string target = fs.resolveLink(path);
    std::string temporary;
    const int h = createTemporaryBeside(fs, target, temporary);
    if (h < 0)
        return -1;
    const bool written =
        fs.copyPermissions(target, h) == 0 &&
        fs.write(h, content.data(), content.size()) == static_cast<std::int64_t>(content.size()) &&
        fs.sync(h) == 0;
    const bool closed = fs.close(h) == 0;
    if (!written || !closed || fs.rename(temporary, target) != 0) {
        fs.remove(temporary);
        return -1;
    }
    return 0;
}

}  // namespace tallivan
