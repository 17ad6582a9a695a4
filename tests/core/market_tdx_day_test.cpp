#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "market/code_market.h"
#include "market/price_source.h"
#include "market_test_support.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::le32;
using testing::TempDir;
using testing::writeFileAt;

const Date kToday{2026, 12, 10};

struct TdxDay {
    std::uint32_t date;
    std::uint32_t close;  // in the file's unit: 0.01 or 0.001 yuan
};

// 32-byte records: date, open, high, low, close at 16, amount (f32), volume, reserved. The
// fields around the close differ from it so that a wrong offset shows.
std::string tdxRecords(const std::vector<TdxDay>& days) {
    std::string bytes;
    for (const TdxDay& d : days) {
        bytes += le32(d.date) + le32(d.close + 7) + le32(d.close + 9) + le32(d.close + 3) +
                 le32(d.close) + testing::f32(1.5e8f) + le32(123456) + le32(0);
    }
    return bytes;
}

TEST(CodeMarket, EachCodeClassHasItsMarket) {
    const struct {
        const char* code;
        Market market;
        bool milli;
    } cases[] = {
        {"600519", Market::Shanghai, false}, {"688981", Market::Shanghai, false},
        {"900901", Market::Shanghai, false}, {"510300", Market::Shanghai, true},
        {"113050", Market::Shanghai, true},  {"100303", Market::Shanghai, true},
        {"204001", Market::Shanghai, true},  {"000858", Market::Shenzhen, false},
        {"300750", Market::Shenzhen, false}, {"159915", Market::Shenzhen, true},
        {"160105", Market::Shenzhen, true},  {"180101", Market::Shenzhen, true},
        {"123001", Market::Shenzhen, true},  {"131810", Market::Shenzhen, true},
        {"200002", Market::Shenzhen, false}, {"399001", Market::Shenzhen, false},
        {"920002", Market::Beijing, false},  {"830799", Market::Beijing, false},
        {"430047", Market::Beijing, false},  {"0001", Market::Shenzhen, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(marketOfCode(c.code), c.market) << c.code;
        EXPECT_EQ(dayPricesInMilli(c.code), c.milli) << c.code;
        EXPECT_EQ(marketsToSearch(c.code)[0], c.market) << c.code;
    }
    // The other markets follow, each once.
    const auto order = marketsToSearch("920002");
    EXPECT_EQ(order[1], Market::Shanghai);
    EXPECT_EQ(order[2], Market::Shenzhen);
    // Asked for as indexes, the exchange's own numbers decide.
    EXPECT_EQ(marketsToSearch("000001", true)[0], Market::Shanghai);
    EXPECT_EQ(marketsToSearch("000300", true)[0], Market::Shanghai);
    EXPECT_EQ(marketsToSearch("000688", true)[0], Market::Shanghai);
    EXPECT_EQ(marketsToSearch("399001", true)[0], Market::Shenzhen);
    EXPECT_EQ(marketsToSearch("000001")[0], Market::Shenzhen);
}

TEST(MarketTdxDayFiles, TheLastWholeRecordGivesThePriceAndItsDay) {
    TempDir dir;
    const std::string lday = "client/vipdoc/";
    writeFileAt(dir.path(), lday + "sh/lday/sh600519.day",
                tdxRecords({{20261208, 164800}, {20261209, 165000}}));
    writeFileAt(dir.path(), lday + "sz/lday/sz000858.day", tdxRecords({{20261209, 14325}}));
    writeFileAt(dir.path(), lday + "sh/lday/sh510300.day", tdxRecords({{20261209, 3456}}));
    writeFileAt(dir.path(), lday + "bj/lday/bj920002.day", tdxRecords({{20261208, 2188}}));
    // A record being written: the whole one before it counts.
    writeFileAt(dir.path(), lday + "sz/lday/sz300750.day",
                tdxRecords({{20261209, 25010}}) + tdxRecords({{20261210, 99999}}).substr(0, 20));
    // No whole record at all: no price, never a wrong one.
    writeFileAt(dir.path(), lday + "sz/lday/sz000001.day", std::string(31, '\x01'));
    // A Shenzhen code kept in the Shanghai folder is still found.
    writeFileAt(dir.path(), lday + "sh/lday/sh002594.day", tdxRecords({{20261209, 30000}}));

    const struct {
        const char* code;
        std::optional<std::int64_t> milli;
        std::int32_t date;
        PriceMiss miss;
    } cases[] = {
        {"600519", 1650000, 20261209, PriceMiss::None},
        {"000858", 143250, 20261209, PriceMiss::None},
        {"510300", 3456, 20261209, PriceMiss::None},  // an ETF in 0.001 yuan
        {"920002", 21880, 20261208, PriceMiss::None},
        {"300750", 250100, 20261209, PriceMiss::None},
        {"002594", 300000, 20261209, PriceMiss::None},
        {"000001", {}, 0, PriceMiss::NoRecord},
        {"601318", {}, 0, PriceMiss::NoFile},
    };
    for (const char* typed : {"client", "client/vipdoc"}) {  // the client's folder or vipdoc
        PosixFileSystem fs(dir.path());
        PriceSource source;
        ASSERT_EQ(source.open(fs, kTdxDaySource, typed, kToday), PriceSourceStatus::Ready);
        for (const auto& c : cases) {
            const PriceQuote quote = source.readQuote(c.code);
            EXPECT_EQ(testing::asMilli(quote.close), c.milli) << typed << " " << c.code;
            EXPECT_EQ(quote.date, c.date) << c.code;
            EXPECT_EQ(quote.miss, c.miss) << c.code;
        }
    }
    PosixFileSystem fs(dir.path());
    PriceSource source;
    EXPECT_EQ(source.open(fs, kTdxDaySource, "nowhere", kToday),
              PriceSourceStatus::MissingDirectory);
    EXPECT_EQ(source.failedPath(), "nowhere");
}

}  // namespace
}  // namespace tallivan
