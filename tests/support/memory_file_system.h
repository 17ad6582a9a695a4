// A file layer held in memory: files are strings, directories a set of paths. Readers fed from
// it run thousands of times a second, which is what fuzzing needs.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "storage/file_io.h"

namespace tallivan::testing {

class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> directories{""};

    int open(const std::string& path, OpenMode mode) override {
        auto file = files.find(path);
        if (mode == OpenMode::CreateExclusive && file != files.end())
            return -1;
        if (file == files.end()) {
            if (mode == OpenMode::Read || mode == OpenMode::ReadWrite ||
                !directories.count(parentPath(path)))
                return -1;
            file = files.emplace(path, std::string()).first;
        }
        if (mode == OpenMode::Create || mode == OpenMode::CreateExclusive)
            file->second.clear();
        const int handle = nextHandle_++;
        handles_[handle] = Handle{path, 0};
        return handle;
    }
    std::int64_t read(int handle, void* buffer, std::size_t size) override {
        Handle* h = find(handle);
        if (!h)
            return -1;
        const std::string& content = files[h->path];
        const std::size_t at = std::min<std::size_t>(h->position, content.size());
        const std::size_t n = std::min(size, content.size() - at);
        std::memcpy(buffer, content.data() + at, n);
        h->position = at + n;
        return static_cast<std::int64_t>(n);
    }
    std::int64_t write(int handle, const void* buffer, std::size_t size) override {
        Handle* h = find(handle);
        if (!h)
            return -1;
        std::string& content = files[h->path];
        if (content.size() < h->position + size)
            content.resize(h->position + size);
        std::memcpy(content.data() + h->position, buffer, size);
        h->position += size;
        return static_cast<std::int64_t>(size);
    }
    std::int64_t seek(int handle, std::int64_t offset) override {
        Handle* h = find(handle);
        if (!h || offset < 0)
            return -1;
        h->position = static_cast<std::size_t>(offset);
        return offset;
    }
    std::int64_t size(int handle) override {
        Handle* h = find(handle);
        return h ? static_cast<std::int64_t>(files[h->path].size()) : -1;
    }
    int truncate(int handle, std::int64_t length) override {
        Handle* h = find(handle);
        if (!h || length < 0)
            return -1;
        files[h->path].resize(static_cast<std::size_t>(length));
        return 0;
    }
    int sync(int handle) override { return find(handle) ? 0 : -1; }
    int close(int handle) override { return handles_.erase(handle) ? 0 : -1; }
    int rename(const std::string& from, const std::string& to) override {
        const auto file = files.find(from);
        if (file == files.end())
            return -1;
        std::string content = std::move(file->second);
        files.erase(file);
        files[to] = std::move(content);
        return 0;
    }
    int remove(const std::string& path) override { return files.erase(path) ? 0 : -1; }
    int makeDirectory(const std::string& path) override {
        return directories.insert(path).second ? 0 : -1;
    }
    bool isDirectory(const std::string& path) override { return directories.count(path) > 0; }
    bool exists(const std::string& path) override {
        return files.count(path) > 0 || directories.count(path) > 0;
    }
    std::vector<std::string> listFiles(const std::string& directory,
                                       const std::string& suffix) override {
        std::vector<std::string> names;
        for (const auto& [path, content] : files) {
            if (parentPath(path) != directory || path.size() < suffix.size() ||
                path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            names.push_back(directory.empty() ? path : path.substr(directory.size() + 1));
        }
        return names;  // the map keeps them sorted
    }

  private:
    struct Handle {
        std::string path;
        std::size_t position = 0;
    };
    Handle* find(int handle) {
        const auto h = handles_.find(handle);
        return h == handles_.end() ? nullptr : &h->second;
    }
    std::map<int, Handle> handles_;
    int nextHandle_ = 3;
};

}  // namespace tallivan::testing
