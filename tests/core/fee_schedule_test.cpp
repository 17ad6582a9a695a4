#include "ledger/fee_schedule.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/gbk.h"

namespace tallivan {
namespace {

TEST(FeeSchedule, TodaysRowsFirstMatchWinning) {
    Settings s = defaultSettings();
    s.wantPassword = 1;
    s.reservedBlock[3] = 0x77;
    copyToField(s.accountSearchDir, sizeof s.accountSearchDir, "zrdata;old");
    applyCurrentFeeSchedule(s);

    const struct {
        const char* name;
        const char* prefix;
        double stamp;
        double transfer;
    } rows[] = {
        {"沪市主板", "60", 0.05, 0.001}, {"深市主板", "00", 0.05, 0.001},
        {"创业板", "30", 0.05, 0.001},   {"科创板", "68", 0.05, 0.001},
        {"北交所", "92", 0.05, 0.001},   {"北交所", "8", 0.05, 0.001},
        {"北交所", "4", 0.05, 0.001},    {"沪市基金", "5", 0, 0},
        {"深市ETF", "15", 0, 0},         {"深市LOF", "16", 0, 0},
        {"沪市债券", "11", 0, 0},        {"深市债券", "12", 0, 0},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const StockCategory& c = s.categories[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(fieldText(c.name, sizeof c.name), gbk(rows[i].name));
        EXPECT_EQ(c.codeLength, 6);
        EXPECT_EQ(fieldText(c.codePrefix, sizeof c.codePrefix), rows[i].prefix);
        EXPECT_EQ(c.commissionRate, 0.025);
        EXPECT_EQ(c.minCommission, 5.0);
        EXPECT_EQ(c.stampTaxRate, rows[i].stamp);
        EXPECT_EQ(c.transferFee, rows[i].transfer);
        EXPECT_EQ(c.minTransferFee, 0.0);
        EXPECT_EQ(c.orderFee, 0.0);
        // Shares move in cents; funds, ETFs and bonds in steps of 0.001.
        const bool fundOrBond = rows[i].stamp == 0;
        EXPECT_EQ(c.feeRules,
                  kStampOnSalesOnly | kTransferOfAmount | (fundOrBond ? kPriceInMilli : 0));
    }
    for (std::size_t i = std::size(rows); i < kCategoryCount; ++i) {
        const StockCategory& c = s.categories[i];
        EXPECT_EQ(fieldText(c.name, sizeof c.name), gbk("未知"));
        EXPECT_EQ(c.codeLength, 0);
        EXPECT_EQ(c.orderFee, 0.0);  // an unknown row charges nothing at all
        EXPECT_EQ(c.feeRules, 0);
    }
    // The rest of the settings is the owner's.
    EXPECT_EQ(s.wantPassword, 1);
    EXPECT_EQ(s.reservedBlock[3], 0x77);
    EXPECT_EQ(fieldText(s.accountSearchDir, sizeof s.accountSearchDir), "zrdata;old");

    const struct {
        const char* code;
        int row;
    } codes[] = {{"600000", 0},  {"601318", 0},  {"000001", 1}, {"002594", 1},  {"300750", 2},
                 {"688981", 3},  {"920001", 4},  {"830799", 5}, {"430047", 6},  {"510300", 7},
                 {"588000", 7},  {"159915", 8},  {"160105", 9}, {"113050", 10}, {"123001", 11},
                 {"900901", -1}, {"200002", -1}, {"0001", -1},  {"", 12}};
    for (const auto& c : codes)
        EXPECT_EQ(categoryOfCode(s, c.code), c.row) << c.code;
}

}  // namespace
}  // namespace tallivan
