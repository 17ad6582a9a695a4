#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "market/closing_text_reader.h"
#include "market/price_source.h"
#include "market_test_support.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::asMilli;
using testing::FaultyFileSystem;
using testing::TempDir;
using testing::writeFileAt;

const Date kToday{2001, 3, 15};

struct Lookup {
    const char* code;
    std::optional<std::int64_t> milli;
};

TEST(MarketClosingText, TodaysFileIsTheOneRead) {
    TempDir dir;
    writeFileAt(dir.path(), "cz/20010314.txt", "600000,a,9.00\r\n");
    writeFileAt(dir.path(), "cz/20010315.txt", "600000,a,10.12\r\n");
    PosixFileSystem fs(dir.path());
    PriceSource source;
    ASSERT_EQ(source.open(fs, kClosingTextSource, "cz", kToday), PriceSourceStatus::Ready);
    EXPECT_EQ(asMilli(source.readClosePrice("600000")), 10120);

    // The day after, only older files exist.
    EXPECT_EQ(source.open(fs, kClosingTextSource, "cz", Date{2001, 3, 16}),
              PriceSourceStatus::MissingFile);
    EXPECT_EQ(source.failedPath(), "cz/20010316.txt");
    EXPECT_EQ(closingTextFileName(Date{1999, 1, 2}), "19990102.txt");
}

TEST(MarketClosingText, EmptyOrUnreadableFilesStopWithoutAPath) {
    TempDir dir;
    writeFileAt(dir.path(), "cz/20010315.txt", "");
    FaultyFileSystem fs(dir.path());
    PriceSource source;
    EXPECT_EQ(source.open(fs, kClosingTextSource, "cz", kToday), PriceSourceStatus::NoData);
    EXPECT_TRUE(fs.openHandles.empty());

    writeFileAt(dir.path(), "cz/20010315.txt", "600000,a,10.12\r\n");
    fs.bytesReadable = 0;  // every read fails
    EXPECT_EQ(source.open(fs, kClosingTextSource, "cz", kToday), PriceSourceStatus::NoData);
    EXPECT_TRUE(fs.openHandles.empty());

    fs.bytesReadable.reset();
    ASSERT_EQ(source.open(fs, kClosingTextSource, "cz", kToday), PriceSourceStatus::Ready);
    EXPECT_TRUE(fs.openHandles.empty()) << "the text is held, the file released at once";
}

TEST(MarketClosingText, LinesFieldsAndPrices) {
    const struct {
        const char* what;
        std::string text;
        std::vector<Lookup> lookups;
    } cases[] = {
        {"two decimals", "600000,a,10.12\r\n", {{"600000", 10120}}},
        {"further decimals are cut, not rounded",
         "600000,a,10.125\r\n600001,b,9.999\r\n600002,c,0.019\r\n",
         {{"600000", 10120}, {"600001", 9990}, {"600002", 10}}},
        {"whole and bare-fraction numbers",
         "600000,a,10\r\n600001,b,.5\r\n600002,c, 7.5 \r\n",
         {{"600000", 10000}, {"600001", 500}, {"600002", 7500}}},
        {"codes compare byte for byte",
         "0001,a,1.00\r\n000001,b,2.00\r\n600000 ,c,3.00\r\n",
         {{"0001", 1000}, {"000001", 2000}, {"1", {}}, {"600000", {}}}},
        {"the first line of a code counts",
         "600000,a,1.00\r\n600000,b,2.00\r\n",
         {{"600000", 1000}}},
        {"an eleven-character field is fine", "600000,abcdefghijk,2.00\r\n", {{"600000", 2000}}},
        {"a twelve-character field ends the search",
         "600000,a,1.00\r\n600001,abcdefghijkl,2.00\r\n600002,c,3.00\r\n",
         {{"600000", 1000}, {"600001", {}}, {"600002", {}}}},
        {"a twelve-character price",
         "600000,a,10.000000000\r\n600001,b,2.00\r\n",
         {{"600000", {}}, {"600001", {}}}},
        {"a twelve-byte GBK name",
         "600001,b,2.00\r\n600000," + gbk("浦发银行股份") + ",1.00\r\n",
         {{"600001", 2000}, {"600000", {}}}},
        {"an eight-byte GBK name", "600000," + gbk("浦发银行") + ",10.12\r\n", {{"600000", 10120}}},
        {"a last line without its CR may be cut short",
         "600000,a,1.00\r\n600001,b,2.00",
         {{"600000", 1000}, {"600001", {}}}},
        {"a last line ended by CR alone", "600000,a,1.00\r\n600001,b,2.00\r", {{"600001", 2000}}},
        {"lines ended by CR alone",
         "600000,a,1.00\r600001,b,2.00\r",
         {{"600000", 1000}, {"600001", 2000}}},
        {"lines ended by LF alone are no lines",
         "600000,a,1.00\n600001,b,2.00\n",
         {{"600000", {}}, {"600001", {}}}},
        {"a line of two fields does not shift the next",
         "600000,1.00\r\n600001,b,2.00\r\n600002,c\r\n600003,600004,3.00\r\n",
         {{"600000", {}}, {"600001", 2000}, {"600002", {}}, {"600003", 3000}, {"600004", {}}}},
        {"a line of four fields is skipped",
         "600000,a,1.00,x\r\n600001,b,2.00\r\n",
         {{"600000", {}}, {"600001", 2000}, {"x", {}}}},
        {"empty lines are skipped", "\r\n\r\n600001,b,2.00\r\n\r\n", {{"600001", 2000}}},
        {"prices that are no plain positive number",
         "1,a,abc\r\n2,b,\r\n3,c,1e2\r\n4,d,-5.00\r\n5,e,0.00\r\n6,f,0.009\r\n7,g,1.2.3\r\n"
         "8,h,12a\r\n9,i,.\r\n10,j,+\r\n",
         {{"1", {}},
          {"2", {}},
          {"3", {}},
          {"4", {}},
          {"5", {}},
          {"6", {}},
          {"7", {}},
          {"8", {}},
          {"9", {}},
          {"10", {}}}},
        {"a bad price hides a later line of the same code",
         "600000,a,x\r\n600000,b,2.00\r\n",
         {{"600000", {}}}},
        {"a NUL inside the code field", std::string("600000\0,a,1.00\r\n", 16), {{"600000", {}}}},
        {"only a line end", "\r\n", {{"600000", {}}, {"", {}}}},
        {"a code that is not listed", "600000,a,1.00\r\n", {{"600001", {}}}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeFileAt(dir.path(), "cz/20010315.txt", c.text);
        PosixFileSystem fs(dir.path());
        PriceSource source;
        ASSERT_EQ(source.open(fs, kClosingTextSource, "cz", kToday), PriceSourceStatus::Ready)
            << c.what;
        for (const Lookup& l : c.lookups)
            EXPECT_EQ(asMilli(source.readClosePrice(l.code)), l.milli) << c.what << ": " << l.code;
    }
}

}  // namespace
}  // namespace tallivan
