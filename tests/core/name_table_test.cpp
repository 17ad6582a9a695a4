#include "storage/name_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::FaultyFileSystem;
using testing::TempDir;

// One entry as it lies in the file: the key little-endian, then 8 name bytes.
std::string entry(std::int32_t key, const std::string& name8) {
    std::string bytes(4, '\0');
    const auto k = static_cast<std::uint32_t>(key);
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((k >> (8 * i)) & 0xFF);
    std::string name = name8;
    name.resize(8, '\0');
    return bytes + name;
}

TEST(NameCodeKey, DecimalValueWithLongCodesShifted) {
    struct Case {
        const char* code;
        std::optional<std::int32_t> key;
    };
    const Case cases[] = {
        {"000001", 1},
        {"0001", 1},
        {"1", 1},
        {"9999", 9999},
        {"10000", 1010000},
        {"600001", 1600001},
        {"000000", 0},
        {"-5", -5},
        {"+7", 7},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"abc", std::nullopt},
        {"60000a", std::nullopt},
        {" 600001", std::nullopt},
        {"600001 ", std::nullopt},
        {"0x10", std::nullopt},
        {"2146483647", 2147483647},
        {"2146483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codeKey(c.code), c.key) << '"' << c.code << '"';
}

class NameTableTest : public ::testing::Test {
  protected:
    TempDir dir;
    PosixFileSystem fs{dir.path()};
    NameTable table;
};

TEST_F(NameTableTest, LoadsWholeEntriesAndDropsAPartialOne) {
    dir.write(kNameTableFileName, entry(1, "A") + entry(2, "B") + "x");  // 25 bytes
    EXPECT_EQ(table.load(fs), 2);
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.nameOf("2"), "B");
}

TEST_F(NameTableTest, LookupsShowTheFirstMatchingNameOrTheCodeItself) {
    const std::string eight = gbk("深发展Ａ");  // 8 bytes, no terminator in the file
    ASSERT_EQ(eight.size(), 8u);
    dir.write(kNameTableFileName, entry(1, eight) + entry(1600001, std::string("ABCD\0xyz", 8)) +
                                      entry(1600001, "second") + entry(9999, "nines") +
                                      entry(1010000, "tenk"));
    ASSERT_EQ(table.load(fs), 5);
    struct Case {
        const char* code;
        int index;
        std::string name;
    };
    const Case cases[] = {
        {"000001", 0, eight},     {"0001", 0, eight},   {"1", 0, eight},
        {"600001", 1, "ABCD"},    {"9999", 3, "nines"}, {"10000", 4, "tenk"},
        {"000002", -1, "000002"}, {"abc", -1, "abc"},   {"123456789", -1, "12345678"},
    };
    for (const Case& c : cases) {
        std::string name = "stale";
        EXPECT_EQ(table.nameOfCode(c.code, name), c.index) << c.code;
        EXPECT_EQ(name, c.name) << c.code;
    }
}

TEST_F(NameTableTest, ChangingANameRewritesExactlyItsEntry) {
    const std::string before =
        entry(5, "five") + entry(1600001, "first") + entry(1600001, "second") + "tail";
    dir.write(kNameTableFileName, before);
    table.load(fs);
    EXPECT_EQ(table.storeName(fs, "600001", gbk("浦发银行")), 1);
    std::string expected = before;
    expected.replace(12, 12, entry(1600001, gbk("浦发银行")));
    EXPECT_EQ(dir.read(kNameTableFileName), expected);
    EXPECT_EQ(table.nameOf("600001"), gbk("浦发银行"));
}

TEST_F(NameTableTest, ACodeWithoutEntryIsAppended) {
    dir.write(kNameTableFileName, entry(5, "five") + "cut");  // a cut-off entry at the end
    table.load(fs);
    EXPECT_EQ(table.storeName(fs, "600036", gbk("招商银行")), 1);
    EXPECT_EQ(dir.read(kNameTableFileName), entry(5, "five") + entry(1600036, gbk("招商银行")));
    EXPECT_EQ(table.nameOf("600036"), gbk("招商银行"));
    EXPECT_EQ(table.nameOf("5"), "five");
}

TEST_F(NameTableTest, WithoutAFileCodesShowAsThemselvesAndTheFirstNameCreatesIt) {
    EXPECT_EQ(table.load(fs), -1);
    EXPECT_EQ(table.nameOf("600001"), "600001");
    EXPECT_EQ(table.storeName(fs, "600001", "PFYH"), 0);
    EXPECT_EQ(dir.read(kNameTableFileName), entry(1600001, "PFYH"));
    EXPECT_EQ(table.nameOf("600001"), "PFYH");
    NameTable fresh;
    EXPECT_EQ(fresh.load(fs), 1);
    EXPECT_EQ(fresh.nameOf("600001"), "PFYH");
}

TEST_F(NameTableTest, NamesAreCutToEightBytesOnACharacterBoundary) {
    table.storeName(fs, "1", gbk("一二三四五"));  // 10 bytes
    EXPECT_EQ(table.nameOf("1"), gbk("一二三四"));
    table.storeName(fs, "2", "abc" + gbk("一二三"));  // 9 bytes: the last character goes
    EXPECT_EQ(table.nameOf("2"), "abc" + gbk("一二"));
}

TEST_F(NameTableTest, EditsThatWouldLoseOrMisplaceAnEntryAreRefused) {
    const std::string before = entry(5, "five");
    dir.write(kNameTableFileName, before);
    table.load(fs);
    EXPECT_EQ(table.storeName(fs, "abc", "x"), -1) << "a code without a key could never be found";
    EXPECT_EQ(table.writeNameEntry(fs, 2, makeNameEntry(7, "gap")), -1) << "beyond the end";
    EXPECT_EQ(dir.read(kNameTableFileName), before);
    EXPECT_EQ(table.count(), 1);
}

TEST_F(NameTableTest, DamagedOrUnreadableTablesNeverLoseWhatIsLoaded) {
    dir.write(kNameTableFileName, entry(5, "five") + entry(6, "six"));
    ASSERT_EQ(table.load(fs), 2);
    struct Case {
        const char* what;
        std::function<void(FaultyFileSystem&)> misbehave;
        int loaded;
        int countAfter;
    };
    const Case cases[] = {
        {"refused open", [](FaultyFileSystem& f) { f.refusedModes = {OpenMode::Read}; }, -1, 2},
        {"size reported huge", [](FaultyFileSystem& f) { f.reportedSize = std::int64_t{1} << 62; },
         2, 2},
        {"size reported -1", [](FaultyFileSystem& f) { f.reportedSize = -1; }, 2, 2},
        {"read error", [](FaultyFileSystem& f) { f.bytesReadable = 0; }, -1, 2},
    };
    for (const Case& c : cases) {
        NameTable t = table;
        FaultyFileSystem faulty(dir.path());
        c.misbehave(faulty);
        EXPECT_EQ(t.load(faulty), c.loaded) << c.what;
        EXPECT_EQ(t.count(), c.countAfter) << c.what;
        EXPECT_TRUE(faulty.openHandles.empty()) << c.what;
    }

    std::filesystem::remove(dir.file(kNameTableFileName));
    std::filesystem::create_directory(dir.file(kNameTableFileName));
    EXPECT_EQ(table.load(fs), -1);
    EXPECT_EQ(table.nameOf("6"), "six");
    EXPECT_EQ(table.storeName(fs, "7", "seven"), -1);

    for (const std::string& bytes : {std::string(), std::string(11, '\xFF')}) {
        std::filesystem::remove_all(dir.file(kNameTableFileName));
        dir.write(kNameTableFileName, bytes);
        EXPECT_EQ(table.load(fs), 0);
        EXPECT_EQ(table.nameOf("6"), "6");
    }
}

TEST_F(NameTableTest, AWriteTheFileLayerRefusesIsReported) {
    dir.write(kNameTableFileName, entry(5, "five"));
    table.load(fs);
    FaultyFileSystem faulty(dir.path());
    faulty.changesLeft = 1;  // the open, then the write fails
    EXPECT_EQ(table.storeName(faulty, "5", "cinq"), -1);
    EXPECT_TRUE(faulty.openHandles.empty());
}

TEST_F(NameTableTest, ManyEntriesFindTheFirstOfEachKey) {
    std::string bytes;
    std::vector<std::int32_t> keys;
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t key = (i * 7919) % 2500 + 1600000;  // some keys twice
        keys.push_back(key);
        bytes += entry(key, "n" + std::to_string(i));
    }
    dir.write(kNameTableFileName, bytes);
    ASSERT_EQ(table.load(fs), 3000);
    for (int k = 0; k < 2500; ++k) {
        const std::string code = std::to_string(600000 + k);
        int first = -1;
        for (std::size_t i = 0; i < keys.size() && first < 0; ++i) {
            if (keys[i] == 1600000 + k)
                first = static_cast<int>(i);
        }
        std::string name;
        ASSERT_EQ(table.nameOfCode(code, name), first) << code;
        ASSERT_EQ(name, first < 0 ? code : "n" + std::to_string(first)) << code;
    }
}

}  // namespace
}  // namespace tallivan
