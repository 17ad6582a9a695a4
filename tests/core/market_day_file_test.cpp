#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "market/price_source.h"
#include "market_test_support.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::asMilli;
using testing::dayRecords;
using testing::FaultyFileSystem;
using testing::oneDay;
using testing::TempDir;
using testing::writeFileAt;

const Date kToday{2024, 5, 17};

TEST(MarketDayFiles, EachCodeIsLookedForInItsOwnMarketFirst) {
    TempDir dir;
    writeFileAt(dir.path(), "ql/data/sznse/day/0001.day",
                dayRecords({{20240515, 9000}, {20240516, 9500}, {20240517, 10120}}));
    writeFileAt(dir.path(), "ql/data/shase/day/600000.day", oneDay(5500));
    // A six-digit Shenzhen code is Shenzhen's, even where Shanghai has a file of that name.
    writeFileAt(dir.path(), "ql/data/shase/day/000001.day", oneDay(7770));
    writeFileAt(dir.path(), "ql/data/sznse/day/000001.day", oneDay(1111));
    // Found in the other market where its own has none.
    writeFileAt(dir.path(), "ql/data/shase/day/000858.day", oneDay(4440));
    writeFileAt(dir.path(), "ql/data/shase/day/0001.day", oneDay(2222));
    writeFileAt(dir.path(), "ql/data/shase/day/12345.day", oneDay(3000));

    const struct {
        const char* code;
        std::optional<std::int64_t> milli;
    } cases[] = {
        {"0001", 10120}, {"600000", 5500}, {"000001", 1111},
        {"12345", 3000}, {"600001", {}},   {"000858", 4440},
    };
    for (const char* typed : {"ql", "ql/"}) {  // the directory is used as typed
        PosixFileSystem fs(dir.path());
        PriceSource source;
        ASSERT_EQ(source.open(fs, kDayFileSource, typed, kToday), PriceSourceStatus::Ready);
        for (const auto& c : cases)
            EXPECT_EQ(asMilli(source.readClosePrice(c.code)), c.milli) << typed << " " << c.code;
    }
}

TEST(MarketDayFiles, TheLastRecordCountsWhateverItsDate) {
    TempDir dir;
    writeFileAt(dir.path(), "ql/data/shase/day/600000.day",
                dayRecords({{20240517, 12340}, {19990105, 4560}}));
    PosixFileSystem fs(dir.path());
    PriceSource source;
    ASSERT_EQ(source.open(fs, kDayFileSource, "ql", kToday), PriceSourceStatus::Ready);
    EXPECT_EQ(asMilli(source.readClosePrice("600000")), 4560);
}

TEST(MarketDayFiles, DamagedFilesAndUnusableClosesGiveNoPrice) {
    const std::string twoDays = dayRecords({{20240516, 8000}, {20240517, 8100}});
    const struct {
        const char* what;
        std::optional<std::string> bytes;  // no file at all when empty
        std::optional<std::int64_t> milli;
    } cases[] = {
        {"no day file", std::nullopt, {}},
        {"empty file", std::string(), {}},
        {"shorter than one record", oneDay(8000).substr(0, 39), {}},
        {"a record being appended", twoDays + oneDay(9000).substr(0, 17), {}},
        {"a stray byte after the records", twoDays + "\x01", {}},
        {"close of zero after real days", twoDays + oneDay(0), {}},
        {"close beyond a 32-bit milli-yuan price", oneDay(0x80000000u), {}},
        {"all bits set", oneDay(0xFFFFFFFFu), {}},
        {"largest storable close", oneDay(0x7FFFFFFFu), 0x7FFFFFFF},
        {"smallest close", oneDay(1), 1},
        {"two whole records", twoDays, 8100},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeFileAt(dir.path(), "ql/data/shase/day/README", "the market directory exists");
        if (c.bytes)
            writeFileAt(dir.path(), "ql/data/shase/day/600000.day", *c.bytes);
        PosixFileSystem fs(dir.path());
        PriceSource source;
        ASSERT_EQ(source.open(fs, kDayFileSource, "ql", kToday), PriceSourceStatus::Ready);
        EXPECT_EQ(asMilli(source.readClosePrice("600000")), c.milli) << c.what;
    }
}

TEST(MarketDayFiles, OpeningNeedsOnlyTheMainDirectory) {
    TempDir dir;
    writeFileAt(dir.path(), "ql/readme.txt", "no data below");
    writeFileAt(dir.path(), "plain-file", "not a directory");
    PosixFileSystem fs(dir.path());
    PriceSource source;

    EXPECT_EQ(source.open(fs, kDayFileSource, "missing", kToday),
              PriceSourceStatus::MissingDirectory);
    EXPECT_EQ(source.failedPath(), "missing");
    EXPECT_EQ(source.open(fs, kDayFileSource, "plain-file", kToday),
              PriceSourceStatus::MissingDirectory);
    EXPECT_EQ(source.failedPath(), "plain-file");
    // An empty main directory is no directory, not the data directory.
    EXPECT_EQ(source.open(fs, kDayFileSource, "", kToday), PriceSourceStatus::MissingDirectory);
    EXPECT_FALSE(source.isOpen());
    EXPECT_EQ(source.readClosePrice("600000"), std::nullopt);

    EXPECT_EQ(source.open(fs, kDayFileSource, "ql", kToday), PriceSourceStatus::Ready);
    EXPECT_EQ(source.failedPath(), "");
    EXPECT_EQ(source.readClosePrice("600000"), std::nullopt);
}

TEST(MarketDayFiles, EachDayFileIsClosedAgainAfterItsRead) {
    TempDir dir;
    writeFileAt(dir.path(), "ql/data/sznse/day/0001.day", oneDay(10120));
    writeFileAt(dir.path(), "ql/data/shase/day/600000.day", std::string(7, 'x'));
    FaultyFileSystem fs(dir.path());
    PriceSource source;
    ASSERT_EQ(source.open(fs, kDayFileSource, "ql", kToday), PriceSourceStatus::Ready);
    EXPECT_TRUE(fs.openHandles.empty());
    for (const char* code : {"0001", "600000", "600001"}) {
        source.readClosePrice(code);
        EXPECT_TRUE(fs.openHandles.empty()) << code;
    }

    fs.bytesReadable = 0;  // every read fails
    EXPECT_EQ(source.readClosePrice("0001"), std::nullopt);
    EXPECT_TRUE(fs.openHandles.empty());
}

}  // namespace
}  // namespace tallivan
