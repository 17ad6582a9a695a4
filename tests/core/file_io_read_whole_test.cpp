#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

#include "storage/file_io.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::FaultyFileSystem;
using testing::TempDir;

const std::string kName = "whole.bin";

// Several read chunks long, with every byte value, so that a short or shifted read shows.
std::string manyBytes() {
    std::string bytes(20000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

TEST(ReadWholeFile, TheReportedSizeNeitherCutsNorStretchesTheContent) {
    TempDir dir;
    const std::string content = manyBytes();
    dir.write(kName, content);
    const auto actual = static_cast<std::int64_t>(content.size());
    for (const std::int64_t reported :
         {std::int64_t{-1}, std::int64_t{0}, std::int64_t{1}, actual - 1, actual + 1, actual * 3,
          std::int64_t{1} << 60}) {
        FaultyFileSystem fs(dir.path());
        fs.reportedSize = reported;
        const std::optional<std::string> read = readWholeFile(fs, kName);
        ASSERT_TRUE(read) << reported;
        EXPECT_EQ(read->size(), content.size()) << reported;
        EXPECT_EQ(*read, content) << reported;
        EXPECT_TRUE(fs.openHandles.empty()) << reported;
    }
}

// Reports the file's size, then lets the file grow, as when another program appends to it.
class GrowingFileSystem : public FaultyFileSystem {
  public:
    GrowingFileSystem(const std::string& root, std::string appended)
        : FaultyFileSystem(root), root_(root), appended_(std::move(appended)) {}

    std::int64_t size(int handle) override {
        const std::int64_t before = FaultyFileSystem::size(handle);
        std::ofstream(root_ + "/" + kName, std::ios::binary | std::ios::app) << appended_;
        return before;
    }

  private:
    std::string root_;
    std::string appended_;
};

TEST(ReadWholeFile, AFileThatGrowsWhileReadComesBackWhole) {
    TempDir dir;
    dir.write(kName, "first part,");
    GrowingFileSystem fs(dir.path(), "then more");
    EXPECT_EQ(readWholeFile(fs, kName), std::optional<std::string>("first part,then more"));
    EXPECT_TRUE(fs.openHandles.empty());
}

TEST(ReadWholeFile, AnEmptyFileIsReadAsNoBytes) {
    TempDir dir;
    dir.write(kName, "");
    FaultyFileSystem fs(dir.path());
    fs.reportedSize = 100;
    EXPECT_EQ(readWholeFile(fs, kName), std::optional<std::string>(""));
}

TEST(ReadWholeFile, AFileThatCannotBeOpenedOrReadGivesNothing) {
    TempDir dir;
    FaultyFileSystem fs(dir.path());
    EXPECT_FALSE(readWholeFile(fs, kName)) << "missing";

    dir.write(kName, manyBytes());
    fs.bytesReadable = 10000;  // fails half-way
    EXPECT_FALSE(readWholeFile(fs, kName)) << "read error";
    fs.bytesReadable.reset();
    fs.refusedModes = {OpenMode::Read};
    EXPECT_FALSE(readWholeFile(fs, kName)) << "refused";
    EXPECT_TRUE(fs.openHandles.empty());
}

}  // namespace
}  // namespace tallivan
