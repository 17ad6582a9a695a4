// Data directories for tests: settings, name table, group markers and account files written
// with the program's own storage code.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/gbk.h"
#include "core/account_test_support.h"
#include "storage/account_file.h"
#include "storage/file_io.h"
#include "storage/name_table.h"
#include "storage/settings.h"
#include "support/temp_dir.h"

namespace tallivan::testing {

class DataDir {
  public:
    DataDir() : fs_(dir_.path()) {}

    const std::string& path() const { return dir_.path(); }
    TempDir& dir() { return dir_; }
    FileSystem& fs() { return fs_; }

    // Writes zrstk.cfg: the defaults with `change` applied.
    template <class Change>
    void settings(Change change) {
        Settings s = defaultSettings();
        change(s);
        ASSERT_EQ(saveSettings(fs_, s), 0);
    }

    void names(const std::vector<std::pair<std::string, std::string>>& entries) {
        std::string bytes;
        for (const auto& [code, name] : entries) {
            const NameEntry e = makeNameEntry(*codeKey(code), name);
            bytes.append(reinterpret_cast<const char*>(&e), sizeof e);
        }
        dir_.write(kNameTableFileName, bytes);
    }

    // Creates the account file `directory/zr_0000n.acc` with `slots`, tied to `password`.
    std::string account(const std::string& directory, int n, const std::string& title,
                        const std::vector<LedgerRecord>& slots,
                        const std::string& password = std::string(),
                        std::int64_t seconds = 1700000000) {
        fs_.makeDirectory(directory);
        const std::string path = joinPath(directory, accountFileName(n));
        const AccountHeader header = newHeader(title, seconds);
        writeAccount(fs_, path, header, slots);
        if (!password.empty()) {
            EXPECT_EQ(writeHeader(fs_, path, header, passwordFromText(password)), 0);
        }
        return path;
    }

  private:
    TempDir dir_;
    PosixFileSystem fs_;
};

// One account with a deposit, a withdrawal, an adjustment, a held position with its note and
// the buy that opened it, a sold position and its sale, plus a deleted slot and a stray note.
inline std::vector<LedgerRecord> sampleLedger() {
    StockRecord held = dated(stock(kHeldState, "600001", 1000, 10081000), 2024, 1, 3);
    held.price = 10500;
    held.takeProfitPrice = 11000;
    held.stopLossPrice = 9500;
    StockRecord sold = dated(stock(kSoldState, "0001", 500, 5000000), 2023, 11, 20);
    sold.proceeds = 5500000;
    sold.price = 0;
    sold.takeProfitPrice = 0;
    return {
        LedgerRecord::of(dated(fund(kDeposit, gbk("存入"), 100000000, ""), 2024, 1, 2)),
        LedgerRecord::of(dated(trade(kBuy, "600001", 1000, 10000, 81000), 2024, 1, 3)),
        LedgerRecord::of(held),
        LedgerRecord::of(note(kHeldState, gbk("长线"))),
        deleted(LedgerRecord::of(dated(trade(kBuy, "600002", 100, 5000, 5000), 2024, 1, 4))),
        LedgerRecord::of(sold),
        LedgerRecord::of(dated(trade(kSell, "0001", 500, 11100, 46630, 5000000), 2023, 11, 20)),
        LedgerRecord::of(note(kSoldState, gbk("孤立"))),  // stray: the slot before is no stock
        LedgerRecord::of(
            dated(fund(kWithdrawal, gbk("支取"), -2000000, gbk("生活费")), 2024, 2, 1)),
        LedgerRecord::of(dated(fund(kAdjustment, gbk("增损"), -12500, gbk("利息税")), 2024, 2, 2)),
    };
}

inline void writeSampleNames(DataDir& data) {
    data.names({{"600001", gbk("邯郸钢铁")}, {"1", gbk("平安")}});
}

}  // namespace tallivan::testing
