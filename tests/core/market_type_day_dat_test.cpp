#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
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
using testing::DayDat;
using testing::FaultyFileSystem;
using testing::kBlockListLength;
using testing::StockEntry;
using testing::TempDir;
using testing::typeDat;
using testing::writeFileAt;

const Date kToday{2024, 5, 17};
void writePair(const TempDir& dir, const std::string& type, const std::string& day) {
    writeFileAt(dir.path(), "yz/db/type.dat", type);
    writeFileAt(dir.path(), "yz/db/day.dat", day);
}

TEST(MarketTypeDayDat, TheLastDayRecordOfTheStocksFirstEntry) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<std::uint16_t> fullList(kBlockListLength, 0xFFFE);
    fullList[94] = 4;

    DayDat day;
    day.setClose(3, 0, 10.12f);
    day.setClose(0, 299, 5.5f);
    day.setClose(0, 298, 1.0f);
    day.setClose(2, 0, 6.25f);
    day.setClose(1, 0, 1.5f);
    day.setClose(1, 1, 2.5f);
    day.setClose(4, 299, 8.0f);
    day.setClose(5, 0, 0.0f);
    day.setClose(5, 1, -3.5f);
    day.setClose(5, 2, nan);
    day.setClose(5, 3, inf);
    day.setClose(5, 4, 3.0e9f);
    day.setClose(5, 5, 0.0004f);
    day.setClose(6, 0, 7.25f);
    day.setClose(6, 1, 99.0f);
    day.setClose(7, 0, 4.75f);
    const std::string type = typeDat({
        {1600000, 1, {3}},          {1, 300, {0}},
        {2, 301, {0, 2}},           {9999, 1, {1}},
        {1010000, 2, {1}},          {1600001, 28500, fullList},
        {1600002, 28501, fullList}, {7, 1, {7}},
        {1600003, 0, {7}},          {1600004, 1, {60000}},
        {1600005, 1, {5}},          {1600006, 2, {5}},
        {1600007, 3, {5}},          {1600008, 4, {5}},
        {1600009, 5, {5}},          {1600010, 6, {5}},
        {1600011, 1, {6}},          {1600011, 2, {6}},
        {1600012, 65535, {7}},
    });
    TempDir dir;
    writePair(dir, type, day.bytes());

    const struct {
        const char* code;
        std::optional<std::int64_t> milli;
        const char* what;
    } cases[] = {
        {"600000", 10120, "10.12 as a float still stores 10120 milli-yuan"},
        {"0001", 5500, "record 299 is the last of the first listed block"},
        {"000001", 5500, "the same stock number as 0001"},
        {"1", 5500, "the same stock number as 0001"},
        {"000002", 6250, "record 300 is the first of the second listed block"},
        {"9999", 1500, "below 10000 the number is the code's value"},
        {"10000", 2500, "from 10000 on 1000000 is added"},
        {"600001", 8000, "the last record of the last listed block"},
        {"600002", {}, "a record beyond what the block list can hold"},
        {"0007", 4750, "its number would pass for a block listed after the 95th"},
        {"600003", {}, "no day records"},
        {"600004", {}, "a block past the end of day.dat"},
        {"600005", {}, "close 0"},
        {"600006", {}, "a negative close"},
        {"600007", {}, "a close that is not a number"},
        {"600008", {}, "an infinite close"},
        {"600009", {}, "a close too large for a 32-bit milli-yuan price"},
        {"600010", {}, "a close that rounds to no milli-yuan"},
        {"600011", 7250, "the first of two entries counts"},
        {"600012", {}, "the largest day count"},
        {"600099", {}, "not in type.dat"},
        {"60000A", {}, "no stock number"},
        {"", {}, "no stock number"},
        {"99999999999", {}, "a number too large for the entry"},
    };
    PosixFileSystem fs(dir.path());
    PriceSource source;
    ASSERT_EQ(source.open(fs, kTypeDayDatSource, "yz", kToday), PriceSourceStatus::Ready);
    for (const auto& c : cases)
        EXPECT_EQ(asMilli(source.readClosePrice(c.code)), c.milli) << c.code << ": " << c.what;
}

TEST(MarketTypeDayDat, DamagedFilesGiveNoPriceForWhatTheyLack) {
    DayDat day;
    day.setClose(0, 0, 3.5f);
    day.setClose(1, 0, 4.5f);
    const std::string bothStocks = typeDat({{1600000, 1, {0}}, {1600001, 1, {1}}});
    const std::string& days = day.bytes();
    const struct {
        const char* what;
        std::string type;
        std::string day;
        std::optional<std::int64_t> first;   // 600000
        std::optional<std::int64_t> second;  // 600001
    } cases[] = {
        {"whole files", bothStocks, days, 3500, 4500},
        {"type.dat empty", "", days, {}, {}},
        {"type.dat shorter than its header", "TYPE", days, {}, {}},
        {"last entry cut short", bothStocks.substr(0, bothStocks.size() - 1), days, 3500, {}},
        {"day.dat ends inside the last record",
         bothStocks,
         days.substr(0, days.size() - 1),
         3500,
         {}},
        {"day.dat ends before the second block", bothStocks, days.substr(0, 4 + 7200), 3500, {}},
        {"day.dat empty", bothStocks, "", {}, {}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writePair(dir, c.type, c.day);
        PosixFileSystem fs(dir.path());
        PriceSource source;
        ASSERT_EQ(source.open(fs, kTypeDayDatSource, "yz", kToday), PriceSourceStatus::Ready)
            << c.what;
        EXPECT_EQ(asMilli(source.readClosePrice("600000")), c.first) << c.what;
        EXPECT_EQ(asMilli(source.readClosePrice("600001")), c.second) << c.what;
    }
}

TEST(MarketTypeDayDat, AMissingFileIsNamedByItsFullPath) {
    TempDir dir;
    FaultyFileSystem fs(dir.path());
    PriceSource source;

    EXPECT_EQ(source.open(fs, kTypeDayDatSource, "yz", kToday), PriceSourceStatus::MissingFile);
    EXPECT_EQ(source.failedPath(), "yz/db/type.dat");

    writeFileAt(dir.path(), "yz/db/type.dat", typeDat({}));
    EXPECT_EQ(source.open(fs, kTypeDayDatSource, "yz", kToday), PriceSourceStatus::MissingFile);
    EXPECT_EQ(source.failedPath(), "yz/db/day.dat");
    EXPECT_TRUE(fs.openHandles.empty()) << "type.dat is released when day.dat is missing";
    EXPECT_FALSE(source.isOpen());
}

TEST(MarketTypeDayDat, DayDatStaysOpenUntilTheSourceIsClosed) {
    DayDat day;
    day.setClose(0, 0, 3.5f);
    TempDir dir;
    writePair(dir, typeDat({{1600000, 1, {0}}}), day.bytes());
    FaultyFileSystem fs(dir.path());
    PriceSource source;
    ASSERT_EQ(source.open(fs, kTypeDayDatSource, "yz", kToday), PriceSourceStatus::Ready);
    EXPECT_EQ(asMilli(source.readClosePrice("600000")), 3500);
    EXPECT_FALSE(fs.openHandles.empty());

    fs.bytesReadable = 0;  // every read fails
    EXPECT_EQ(source.readClosePrice("600000"), std::nullopt);

    source.close();
    EXPECT_TRUE(fs.openHandles.empty());
    EXPECT_EQ(source.readClosePrice("600000"), std::nullopt);
}

TEST(MarketTypeDayDat, EveryEntryOfALongTypeDatIsFound) {
    // Stock i has i % 300 + 1 day records, so its last one is record i % 300 of block i / 300.
    std::vector<StockEntry> entries;
    DayDat day;
    for (std::uint16_t i = 0; i < 4000; ++i) {
        entries.push_back({1600000 + i,
                           static_cast<std::uint16_t>(i % 300 + 1),
                           {static_cast<std::uint16_t>(i / 300)}});
        day.setClose(i / 300, i % 300, 1.0f + static_cast<float>(i) / 100.0f);
    }
    TempDir dir;
    writePair(dir, typeDat(entries), day.bytes());
    PosixFileSystem fs(dir.path());
    PriceSource source;
    ASSERT_EQ(source.open(fs, kTypeDayDatSource, "yz", kToday), PriceSourceStatus::Ready);
    for (int i = 0; i < 4000; i += 2) {
        EXPECT_EQ(asMilli(source.readClosePrice(std::to_string(600000 + i))), 1000 + 10 * i) << i;
    }
}

}  // namespace
}  // namespace tallivan
