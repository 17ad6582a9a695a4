// Writes the seed corpus of every fuzz target: small valid files of each format, built with the
// program's own storage code, so that the fuzzers start from what the program really reads.
//
//   make_seeds DIR   ->   DIR/account_file/..., DIR/settings/..., ...
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/market_test_support.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"
#include "storage/name_table.h"
#include "storage/settings.h"
#include "support/memory_file_system.h"
#include "support/sample_records.h"
#include "support/statement_fixtures.h"

using namespace tallivan;
using testing::f32;
using testing::le16;
using testing::le32;

namespace {

void writeSeed(const std::filesystem::path& dir, const std::string& target, int n,
               const std::string& bytes) {
    std::filesystem::create_directories(dir / target);
    std::ofstream(dir / target / ("seed" + std::to_string(n)), std::ios::binary) << bytes;
}

// Two bytes of length, then the part.
std::string part(const std::string& bytes) {
    return le16(static_cast<std::uint16_t>(bytes.size())) + bytes;
}

std::string accountFile(const std::string& password) {
    testing::MemoryFileSystem fs;
    const AccountHeader header = testing::newHeader(gbk("帐户一"));
    createAccountFile(fs, "a.acc", header);
    for (const LedgerRecord& slot : testing::sampleLedger())
        writeSlot(fs, "a.acc", header.slotKey, -1, slot);
    if (!password.empty())
        writeHeader(fs, "a.acc", header, passwordFromText(password));
    return fs.files["a.acc"];
}

std::string settingsFile(const std::string& dirs, bool wantPassword) {
    testing::MemoryFileSystem fs;
    Settings s = defaultSettings();
    copyToField(s.accountSearchDir, sizeof s.accountSearchDir, dirs);
    s.wantPassword = wantPassword ? 1 : 0;
    saveSettings(fs, s);
    return fs.files[kSettingsFileName];
}

std::string nameTable() {
    std::string bytes;
    for (const auto& [code, name] : testing::sampleNames()) {
        const NameEntry e = makeNameEntry(*codeKey(code), name);
        bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
    }
    return bytes;
}

std::string dayRecord(std::uint32_t date, std::uint32_t close) {
    return le32(date) + le32(close + 70) + le32(close + 90) + le32(close + 30) + le32(close) +
           le32(987654321) + std::string(16, '\0');
}

std::string typeDayDat() {
    std::string type = "TYPE\x01\x02\x03\x04";
    for (const std::int32_t number : {1600001, 1}) {
        type += le32(static_cast<std::uint32_t>(number)) + std::string(12, 'n') + le16(2);
        for (int i = 0; i < 95; ++i)
            type += le16(i == 0 ? (number == 1 ? 1 : 0) : 0xFFFF);
    }
    std::string day = "DAY!";
    for (int block = 0; block < 2; ++block) {
        std::string records;
        for (int i = 0; i < 2; ++i)
            records += le32(20261209 + i) + f32(10.5f) + f32(10.75f) + f32(10.12f + block) +
                       f32(9.9f) + le32(123456);
        records.resize(7200, '\0');
        day += records;
    }
    return "600001" + part(type) + day;
}

// The target's first byte, then the rest.
std::string led(char first, const std::string& rest) {
    return std::string(1, first) + rest;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    writeSeed(dir, "account_file", 0, led(0, accountFile("")));
    writeSeed(dir, "account_file", 1, led(1, "secret12" + accountFile("secret12")));
    writeSeed(dir, "account_file", 2, led(1, "wrong!!!" + accountFile("secret12")));
    writeSeed(dir, "settings", 0, settingsFile("zrdata", false));
    writeSeed(dir, "settings", 1, settingsFile(";zrdata;;old;zrdata", true));
    writeSeed(dir, "name_table", 0, nameTable());
    writeSeed(dir, "group_marker", 0, part(gbk("新的组名")) + gbk("长线组") + std::string(1, '\0'));
    writeSeed(dir, "day_file", 0, led(0, dayRecord(20261209, 9900) + dayRecord(20261210, 10120)));
    writeSeed(dir, "day_file", 1, led(1, dayRecord(20261210, 15500)));
    writeSeed(dir, "type_day_dat", 0, typeDayDat());
    writeSeed(dir, "closing_text", 0,
              "600001600000,a,9.00\r\n600001," + gbk("邯郸钢铁") + ",10.123\r\n0001,b,5");
    writeSeed(dir, "numbers", 0, led(0, "2026\n12\n10\n600001\n1000\n10.00\n15\n10015"));
    writeSeed(dir, "numbers", 1, led(6, "2026\n1\n5\n\n1200\n-9.5\n1e3\n6000"));
    writeSeed(dir, "numbers", 2, led(1, "x\n13\n-1\n600001\n99999999999\n1e300\nabc\n"));
    const auto history = testing::sampleHistory();
    writeSeed(dir, "statement", 0, led(1, testing::tabStatement(history)));
    writeSeed(dir, "statement", 1, led(0, testing::commaStatement(history)));
    writeSeed(dir, "statement", 2, led(1, testing::utf8Statement(history)));
    writeSeed(dir, "statement", 3, led(1, testing::workbookStatement(history)));
    // The readers of web pages and of aligned text, overlapping fee columns, day numbers.
    writeSeed(dir, "statement", 5, led(1, testing::htmlStatement(history)));
    writeSeed(dir, "statement", 6, led(1, testing::alignedTextStatement(history)));
    writeSeed(dir, "statement", 7, led(0, testing::overlappingFeesStatement(history)));
    writeSeed(dir, "statement", 8, led(0, testing::serialDatesWorkbook(history)));
    writeSeed(dir, "statement", 4,
              led(1, gbk("成交日期,操作,证券代码,成交数量,成交价格,手续费,发生金额\r\n"
                         "20230214,新股入账,603999,600,5,,0\r\n"
                         "20230215,卖出,600001,400,11,5,4395\r\n"
                         "20230216,卖出,600")));
    return 0;
}
