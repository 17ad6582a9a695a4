// A fresh directory for one test, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tallivan::testing {

class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tallivan-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(file(name)); }
    // Whether a file whose path begins with `prefix` exists (a temporary file left behind, whose
    // name ends in a number of its own).
    bool existsStartingWith(const std::string& prefix) const {
        const std::filesystem::path whole(file(prefix));
        std::error_code ignored;
        for (const auto& entry :
             std::filesystem::directory_iterator(whole.parent_path(), ignored)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(whole.filename().string(), 0) == 0)
                return true;
        }
        return false;
    }

  private:
    std::string path_;
};

}  // namespace tallivan::testing
