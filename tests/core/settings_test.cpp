#include "storage/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/gbk.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::TempDir;

std::string imageBytes(const Settings& s) {
    const SettingsImage image = encodeSettings(s);
    return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

double doubleAt(const std::string& bytes, std::size_t offset) {
    double v;
    std::memcpy(&v, bytes.data() + offset, 8);
    return v;
}

TEST(Settings, DefaultsLieInTheFileColumnByColumn) {
    const std::string bytes = imageBytes(defaultSettings());
    ASSERT_EQ(bytes.size(), 1611u);
    EXPECT_EQ(fieldText(bytes.data() + 0, 13), gbk("上证Ａ股"));
    EXPECT_EQ(fieldText(bytes.data() + 13, 13), gbk("深证Ａ股"));
    EXPECT_EQ(fieldText(bytes.data() + 13 * 19, 13), gbk("未知"));
    EXPECT_EQ(bytes[260], 6);
    EXPECT_EQ(bytes[261], 4);
    EXPECT_EQ(bytes[262], 0);
    EXPECT_EQ(fieldText(bytes.data() + 280, 5), "6");
    EXPECT_EQ(fieldText(bytes.data() + 285, 5), "0");
    EXPECT_EQ(doubleAt(bytes, 380), 0.35);
    EXPECT_EQ(doubleAt(bytes, 540), 10.0);
    EXPECT_EQ(doubleAt(bytes, 548), 5.0);
    EXPECT_EQ(doubleAt(bytes, 700), 0.4);
    EXPECT_EQ(doubleAt(bytes, 860), 1.0);
    EXPECT_EQ(doubleAt(bytes, 868), 0.0);
    EXPECT_EQ(doubleAt(bytes, 1020), 1.0);
    EXPECT_EQ(doubleAt(bytes, 1180 + 8 * 19), 5.0);
    EXPECT_EQ(bytes[1372], 0);
    EXPECT_EQ(fieldText(bytes.data() + 1373, 51), "zrdata");
    EXPECT_EQ(bytes[1424], 0);
    EXPECT_EQ(bytes.substr(1425), std::string(186, '\0'));
}

TEST(Settings, EncodeAndDecodeAreInverse) {
    Settings s = defaultSettings();
    s.wantPassword = 1;
    s.priceSource = 2;
    s.reservedBlock[5] = 0xAB;
    copyToField(s.priceSourceDirs[2], kPriceSourceDirSize, "/data/prices");
    s.categories[7].codeLength = -3;
    const SettingsImage image = encodeSettings(s);
    EXPECT_EQ(encodeSettings(decodeSettings(image)), image);
    EXPECT_EQ(image[1425 + 31 * 2], '/');
}

TEST(Settings, MissingFileKeepsTheDefaults) {
    TempDir dir;
    PosixFileSystem fs(dir.path());
    Settings s = defaultSettings();
    EXPECT_EQ(loadSettings(fs, s), SettingsLoad::Missing);
    EXPECT_EQ(encodeSettings(s), encodeSettings(defaultSettings()));
}

TEST(Settings, AShortFileReplacesOnlyItsOwnLength) {
    TempDir dir;
    Settings custom = defaultSettings();
    for (StockCategory& c : custom.categories) {
        c.commissionRate = 0.25;
        c.minCommission = 7.0;
    }
    copyToField(custom.categories[0].name, 13, "ABC");
    const std::string full = imageBytes(custom);
    dir.write("zrstk.cfg", full.substr(0, 600));  // ends inside the minimum commissions

    PosixFileSystem fs(dir.path());
    Settings s = defaultSettings();
    ASSERT_EQ(loadSettings(fs, s), SettingsLoad::Loaded);
    EXPECT_EQ(fieldText(s.categories[0].name, 13), "ABC");
    EXPECT_EQ(s.categories[0].commissionRate, 0.25);
    EXPECT_EQ(s.categories[19].commissionRate, 0.25);
    EXPECT_EQ(s.categories[6].minCommission, 7.0);  // bytes 588..596 are in the file
    EXPECT_EQ(s.categories[0].minCommission, 7.0);
    EXPECT_EQ(s.categories[8].minCommission, 0.0);  // bytes 604..612 keep the default
    EXPECT_EQ(s.categories[0].stampTaxRate, 0.4);
    EXPECT_EQ(fieldText(s.accountSearchDir, 51), "zrdata");
}

TEST(Settings, SavingKeepsBytesBeyondTheRecordAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::string old(1700, 'x');
    dir.write("zrstk.cfg", old);
    PosixFileSystem fs(dir.path());
    Settings s = defaultSettings();
    s.wantPassword = 1;
    ASSERT_EQ(saveSettings(fs, s), 0);
    const std::string saved = dir.read("zrstk.cfg");
    ASSERT_EQ(saved.size(), 1700u);
    EXPECT_EQ(saved.substr(0, 1611), imageBytes(s));
    EXPECT_EQ(saved.substr(1611), std::string(89, 'x'));
    EXPECT_FALSE(dir.existsStartingWith("zrstk.cfg.tmp"));

    Settings again = defaultSettings();
    ASSERT_EQ(loadSettings(fs, again), SettingsLoad::Loaded);
    EXPECT_EQ(again.wantPassword, 1);
}

TEST(Settings, SavingIntoAnUnwritableDirectoryFailsAndKeepsTheOldFile) {
    PosixFileSystem fs("/nonexistent-tallivan-dir");
    EXPECT_EQ(saveSettings(fs, defaultSettings()), -1);
}

TEST(Settings, CategoryOfCodeTakesTheFirstMatchingRow) {
    Settings s = defaultSettings();
    const struct {
        const char* code;
        int row;
    } defaults[] = {{"600000", 0}, {"0001", 1},  {"000001", -1}, {"300001", -1},
                    {"", 2},       {"6000", -1}, {"60000", -1},  {"1001", -1}};
    for (const auto& c : defaults)
        EXPECT_EQ(categoryOfCode(s, c.code), c.row) << c.code;

    s.categories[5].codeLength = 6;
    copyToField(s.categories[5].codePrefix, 5, "60");
    EXPECT_EQ(categoryOfCode(s, "600000"), 0);  // row 0 keeps its prefix 6 and comes first
    s.categories[0].codePrefix[0] = 0;
    EXPECT_EQ(categoryOfCode(s, "300001"), 0);  // an empty prefix takes every code of its length

    s.categories[3].codeLength = -1;  // only 0..127 can ever match
    EXPECT_EQ(categoryOfCode(s, std::string(255, '1')), -1);
}

TEST(Settings, EachRowsFeeRulesLieInTheReservedBytesAndTheRestIsKept) {
    Settings s = defaultSettings();
    s.categories[0].feeRules = kStampOnSalesOnly | kTransferOfAmount;
    s.categories[3].feeRules = kStampOnSalesOnly;
    s.categories[19].feeRules = 0x80 | kTransferOfAmount;  // a bit unknown today is kept
    s.reservedBlock[0] = 0x5A;
    s.reservedBlock[11] = 0xA5;
    const std::string bytes = imageBytes(s);
    EXPECT_EQ(bytes[1340], 0x03);
    EXPECT_EQ(bytes[1341], 0x00);
    EXPECT_EQ(bytes[1343], 0x01);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1359]), 0x82);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1360]), 0x5A);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1371]), 0xA5);
    EXPECT_EQ(bytes[1372], 0);  // wantPassword follows

    TempDir dir;
    PosixFileSystem fs(dir.path());
    ASSERT_EQ(saveSettings(fs, s), 0);
    Settings read = defaultSettings();
    ASSERT_EQ(loadSettings(fs, read), SettingsLoad::Loaded);
    EXPECT_EQ(read.categories[0].feeRules, 0x03);
    EXPECT_EQ(read.categories[3].feeRules, 0x01);
    EXPECT_EQ(read.categories[19].feeRules, 0x82);
    EXPECT_EQ(read.reservedBlock[0], 0x5A);
    EXPECT_EQ(read.reservedBlock[11], 0xA5);
    EXPECT_EQ(imageBytes(read), bytes);
    // A new record has no rules: it computes as every older file does.
    for (const StockCategory& c : defaultSettings().categories)
        EXPECT_EQ(c.feeRules, 0);
}

}  // namespace
}  // namespace tallivan
