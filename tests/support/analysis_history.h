// A two-year history of one account, as the program's commands store it, for the tests of the
// analysis (yearly results, returns, dividend tax ahead, charts, CSV):
//   2024-01-02  deposit 100000.00
//   2024-01-03  buy 600001: 1000 at 10.00, fee 15.00
//   2024-01-10  buy 0001: 2000 at 5.00, fee 10.00
//   2024-06-01  bonus 600001: 500 shares
//   2024-06-28  dividend 600001: 300.00 (200.00 to the 1000 bought, 100.00 to the 500 bonus)
//   2024-09-10  sell 600001: 600 at 12.00, fee 20.00 (a partial sale: cost basis 7180.00, the
//               net proceeds; the 600 come from the oldest lot, which keeps 400 and 80.00)
//   2024-11-15  dividend 0001: 120.00
//   2024-12-20  withdrawal 3000.00
//   2025-01-15  deposit 5000.00
//   2025-02-10  sell 0001: 2000 at 6.00, fee 12.00 (all of it: cost basis 10010.00)
//   2025-03-05  buy 600001: 100 at 11.00, fee 5.00
//   2025-03-20  dividend 600001: 100.00 (40.00, 50.00 and 10.00 to the three lots)
//   2025-03-25  adjustment -12.50
// It leaves 600001 held (1000 shares, cost 3940.00, current price 10.00) and 600001 and 0001
// sold. On 2025-03-31 the lot of 2024-01-03 is more than a year old, the bonus lot of
// 2024-06-01 at most a year (10 % of 150.00), the lot of 2025-03-05 at most a month (20 % of
// 10.00): 17.00 of dividend tax ahead.
#pragma once

#include <vector>

#include "support/sample_records.h"

namespace tallivan::testing {

constexpr Date kAnalysisToday{2025, 3, 31};

inline std::vector<LedgerRecord> analysisHistory() {
    StockRecord held = dated(stock(kHeldState, "600001", 1000, 3940000), 2024, 1, 3);
    held.price = 10000;
    held.takeProfitPrice = 10600;
    held.stopLossPrice = 9500;
    const StockRecord sold600001 = dated(soldStock("600001", 600, 7180000, 7580000), 2024, 6, 28);
    const StockRecord sold0001 = dated(soldStock("0001", 2000, 10010000, 12108000), 2024, 11, 15);
    const auto dividend = [](const char* code, std::int32_t amount) {
        return trade(kDividend, code, 0, 0, amount);
    };
    return {
        LedgerRecord::of(dated(fund(kDeposit, gbk("存入"), 100000000, ""), 2024, 1, 2)),
        LedgerRecord::of(dated(trade(kBuy, "600001", 1000, 10000, 15000), 2024, 1, 3)),
        LedgerRecord::of(held),
        LedgerRecord::of(note(kHeldState, "")),
        LedgerRecord::of(dated(trade(kBuy, "0001", 2000, 5000, 10000), 2024, 1, 10)),
        LedgerRecord::of(dated(trade(kBonusShares, "600001", 500, 0, 0), 2024, 6, 1)),
        LedgerRecord::of(dated(dividend("600001", 300000), 2024, 6, 28)),
        LedgerRecord::of(sold600001),
        LedgerRecord::of(note(kSoldState, "")),
        LedgerRecord::of(dated(trade(kSell, "600001", 600, 12000, 20000, 7180000), 2024, 9, 10)),
        LedgerRecord::of(dated(dividend("0001", 120000), 2024, 11, 15)),
        LedgerRecord::of(sold0001),
        LedgerRecord::of(note(kSoldState, "")),
        LedgerRecord::of(dated(fund(kWithdrawal, gbk("支取"), -3000000, ""), 2024, 12, 20)),
        LedgerRecord::of(dated(fund(kDeposit, gbk("存入"), 5000000, ""), 2025, 1, 15)),
        LedgerRecord::of(dated(trade(kSell, "0001", 2000, 6000, 12000, 10010000), 2025, 2, 10)),
        LedgerRecord::of(dated(trade(kBuy, "600001", 100, 11000, 5000), 2025, 3, 5)),
        LedgerRecord::of(dated(dividend("600001", 100000), 2025, 3, 20)),
        LedgerRecord::of(dated(fund(kAdjustment, gbk("增损"), -12500, gbk("利息税")), 2025, 3, 25)),
    };
}

}  // namespace tallivan::testing
