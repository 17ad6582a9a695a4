#include "market/price_source.h"

#include <gtest/gtest.h>

#include "market_test_support.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::FaultyFileSystem;
using testing::TempDir;
using testing::writeFileAt;

const Date kToday{2024, 5, 17};

TEST(MarketPriceSource, OnlyTheThreeSourcesOpen) {
    TempDir dir;
    writeFileAt(dir.path(), "src/20240517.txt", "600000,a,1.00\r\n");
    PosixFileSystem fs(dir.path());
    PriceSource source;
    for (const int index : {-1, kPriceSourceCount, 255}) {
        EXPECT_EQ(source.open(fs, index, "src", kToday), PriceSourceStatus::UnknownSource) << index;
        EXPECT_FALSE(source.isOpen());
        EXPECT_EQ(source.readClosePrice("600000"), std::nullopt);
    }
}

TEST(MarketPriceSource, OpeningAgainOrClosingReleasesEverything) {
    TempDir dir;
    writeFileAt(dir.path(), "src/db/type.dat", "TYPEHEAD");
    writeFileAt(dir.path(), "src/db/day.dat", "DAY!");
    writeFileAt(dir.path(), "src/20240517.txt", "600000,a,1.00\r\n");
    FaultyFileSystem fs(dir.path());
    PriceSource source;
    source.close();  // closing what was never opened is harmless

    ASSERT_EQ(source.open(fs, kTypeDayDatSource, "src", kToday), PriceSourceStatus::Ready);
    EXPECT_FALSE(fs.openHandles.empty());
    ASSERT_EQ(source.open(fs, kClosingTextSource, "src", kToday), PriceSourceStatus::Ready);
    EXPECT_TRUE(fs.openHandles.empty());
    EXPECT_EQ(toMilli(*source.readClosePrice("600000")), 1000);

    ASSERT_EQ(source.open(fs, kTypeDayDatSource, "src", kToday), PriceSourceStatus::Ready);
    EXPECT_EQ(source.open(fs, kDayFileSource, "absent", kToday),
              PriceSourceStatus::MissingDirectory);
    EXPECT_TRUE(fs.openHandles.empty());
    source.close();
    source.close();
    EXPECT_FALSE(source.isOpen());
}

}  // namespace
}  // namespace tallivan
