// The closes of past days from the day files.
#include <gtest/gtest.h>

#include "core/market_test_support.h"
#include "market/day_history.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

TEST(DayHistory, EveryRecordInDateOrderLeavingOutWhatCannotBeADay) {
    const std::vector<DayClose> days = dayClosesOf(testing::dayRecords({
        {20240105, 10120},
        {20240103, 10000},  // out of order
        {20240104, 0},      // no close
        {20241305, 10500},  // no such month
        {19000000, 10600},
        {20240105, 10130},  // the same day again: the later record wins
    }));
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0].date, 20240103);
    EXPECT_EQ(days[0].close, 10.0);
    EXPECT_EQ(days[1].date, 20240105);
    EXPECT_EQ(days[1].close, 10.13);
    // Not a whole number of records: being written, or damaged.
    EXPECT_TRUE(dayClosesOf(testing::dayRecords({{20240103, 10000}}) + "x").empty());
}

TEST(DayHistory, TheLastCloseWithinTheDaysAskedFor) {
    testing::TempDir dir;
    testing::writeFileAt(dir.path(), "ql/data/shase/day/600001.day",
                         testing::dayRecords({{20240130, 10000}, {20240201, 10500}}));
    testing::writeFileAt(dir.path(), "ql/data/sznse/day/0001.day",
                         testing::dayRecords({{20240115, 5000}}));
    PosixFileSystem fs(dir.path());
    EXPECT_EQ(openDayFileHistory(fs, "nowhere"), nullptr);
    EXPECT_EQ(openDayFileHistory(fs, ""), nullptr);
    const std::unique_ptr<ClosingPrices> prices = openDayFileHistory(fs, "ql");
    ASSERT_NE(prices, nullptr);
    EXPECT_EQ(prices->closeBetween("600001", 20240101, 20240131), 10.0);
    EXPECT_EQ(prices->closeBetween("600001", 20240101, 20240229), 10.5);
    EXPECT_EQ(prices->closeBetween("600001", 20240201, 20240229), 10.5);
    EXPECT_EQ(prices->closeBetween("600001", 20240301, 20240331), std::nullopt);
    EXPECT_EQ(prices->closeBetween("600001", 20231201, 20231231), std::nullopt);
    EXPECT_EQ(prices->closeBetween("0001", 20240101, 20240131), 5.0);
    EXPECT_EQ(prices->closeBetween("600002", 20240101, 20240131), std::nullopt);
}

}  // namespace
}  // namespace tallivan
