#include "ledger/fee_schedule.h"

#include <algorithm>
#include <iterator>

namespace tallivan {

namespace {

constexpr double kCommissionRate = 0.025;
constexpr double kMinCommission = 5.0;
constexpr double kStampTaxRate = 0.05;
constexpr double kTransferRate = 0.001;
// The rows of today's schedule follow today's rules, funds and bonds too: their stamp tax and
// transfer fee are 0, and a rate typed into them later is charged as today's market does.
constexpr std::uint8_t kTodaysRules = kStampOnSalesOnly | kTransferOfAmount;

StockCategory shares(const char* name, const char* prefix) {
    return makeCategory(name, 6, prefix, kCommissionRate, kMinCommission, kStampTaxRate,
                        kTransferRate, 0, 0, kTodaysRules);
}

// Funds, ETFs and bonds are quoted in steps of 0.001 yuan.
StockCategory fundsOrBonds(const char* name, const char* prefix) {
    return makeCategory(name, 6, prefix, kCommissionRate, kMinCommission, 0, 0, 0, 0,
                        kTodaysRules | kPriceInMilli);
}

}  // namespace

void applyCurrentFeeSchedule(Settings& settings) {
    // First match wins: no prefix below begins another one of the same length.
    const StockCategory rows[] = {
        shares("沪市主板", "60"),       shares("深市主板", "00"),
        shares("创业板", "30"),         shares("科创板", "68"),
        shares("北交所", "92"),         shares("北交所", "8"),
        shares("北交所", "4"),          fundsOrBonds("沪市基金", "5"),
        fundsOrBonds("深市ETF", "15"),  fundsOrBonds("深市LOF", "16"),
        fundsOrBonds("沪市债券", "11"), fundsOrBonds("深市债券", "12"),
    };
    settings.categories.fill(makeCategory("未知", 0, "", 0, 0, 0, 0, 0, 0));
    std::copy(std::begin(rows), std::end(rows), settings.categories.begin());
}

}  // namespace tallivan
