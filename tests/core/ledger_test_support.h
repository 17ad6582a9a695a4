// What the ledger list tests share: the default fee table, a name table knowing one stock, and
// a few records with round numbers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "account_test_support.h"
#include "base/gbk.h"
#include "ledger/ledger_rows.h"
#include "storage/file_io.h"
#include "storage/name_table.h"
#include "storage/settings.h"
#include "support/temp_dir.h"

namespace tallivan::testing {

// 600001 is named; every other code shows itself. Under the default table codes of six
// characters starting with "6" are category 0 (1000 shares at 10.00 cost 81.00 in fees) and
// "000001" has no category at all.
class LedgerTest : public ::testing::Test {
  protected:
    LedgerTest() {
        PosixFileSystem fs{dir.path()};
        names.storeName(fs, "600001", gbk("浦发银行"));
    }

    TempDir dir;
    Settings settings = defaultSettings();
    NameTable names;
    RowContext context{settings, names};
    AccountNode account;
    AccountNode otherAccount;
};

inline ItemRef refAt(std::int32_t slot, AccountNode* owner = nullptr) {
    ItemRef ref;
    ref.slotIndex = slot;
    ref.owner = owner;
    return ref;
}

// A held position as the buy command leaves it: its price, stop-loss and take-profit in
// milli-yuan.
inline StockRecord held(const char* code, std::int32_t shares, std::int64_t cost,
                        std::int32_t price, std::int64_t stopLoss, std::int32_t takeProfit) {
    StockRecord s = stock(kHeldState, code, shares, cost);
    s.price = price;
    s.stopLossPrice = stopLoss;
    s.takeProfitPrice = takeProfit;
    return s;
}

inline StockRecord sold(const char* code, std::int32_t shares, std::int64_t cost,
                        std::int64_t proceeds) {
    StockRecord s = stock(kSoldState, code, shares, cost);
    s.price = 0;
    s.takeProfitPrice = 0;
    s.proceeds = proceeds;
    return s;
}

inline FundRecord deposit(std::int32_t amount) {
    return fund(kDeposit, gbk("工行"), amount, "");
}

template <SlotView View>
LedgerRecord slot(const View& view) {
    return LedgerRecord::of(view);
}

// The slot indexes of a list's rows, -1 for a summary row.
inline std::vector<std::int32_t> slotsOf(const std::vector<LedgerRow>& rows) {
    std::vector<std::int32_t> slots;
    for (const LedgerRow& row : rows)
        slots.push_back(row.ref ? row.ref->slotIndex : -1);
    return slots;
}

}  // namespace tallivan::testing
