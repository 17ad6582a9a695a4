// Data directories for tests: settings, name table, group markers and account files written
// with the program's own storage code.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/gbk.h"
#include "core/account_test_support.h"
#include "storage/account_file.h"
#include "storage/file_io.h"
#include "storage/name_table.h"
#include "storage/settings.h"
#include "support/temp_dir.h"

namespace tallivan::testing {

class DataDir {
  public:
    DataDir() : fs_(dir_.path()) {}

    const std::string& path() const { return dir_.path(); }
    TempDir& dir() { return dir_; }
    FileSystem& fs() { return fs_; }

    // Writes zrstk.cfg: the defaults with `change` applied.
    template <class Change>
    void settings(Change change) {
        Settings s = defaultSettings();
        change(s);
        ASSERT_EQ(saveSettings(fs_, s), 0);
    }

    void names(const std::vector<std::pair<std::string, std::string>>& entries) {
        std::string bytes;
        for (const auto& [code, name] : entries) {
            const NameEntry e = makeNameEntry(*codeKey(code), name);
            bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
        }
        dir_.write(kNameTableFileName, bytes);
    }

    // Creates the account file `directory/zr_0000n.acc` with `slots`, tied to `password`.
    std::string account(const std::string& directory, int n, const std::string& title,
                        const std::vector<LedgerRecord>& slots,
                        const std::string& password = std::string(),
                        std::int64_t seconds = 1700000000) {
        fs_.makeDirectory(directory);
        const std::string path = joinPath(directory, accountFileName(n));
        const AccountHeader header = newHeader(title, seconds);
        writeAccount(fs_, path, header, slots);
        if (!password.empty()) {
            EXPECT_EQ(writeHeader(fs_, path, header, passwordFromText(password)), 0);
        }
        return path;
    }

  private:
    TempDir dir_;
    PosixFileSystem fs_;
};

inline void writeSampleNames(DataDir& data) {
    data.names(sampleNames());
}

}  // namespace tallivan::testing
