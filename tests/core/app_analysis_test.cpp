// 分析 through the controller: a two-year history recorded with the commands, checked to the
// cent in every column of the yearly results, the returns and the dividend tax ahead; a group
// summing its accounts; the month-by-month history with the holdings' value from day files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controller.h"
#include "base/numbers.h"
#include "core/ledger_fixture.h"
#include "core/market_test_support.h"
#include "core/trade_app.h"
#include "ledger/fees.h"
#include "support/analysis_history.h"

namespace tallivan {
namespace {

using testing::DataDir;
using testing::kAnalysisToday;

constexpr auto kSkip = Controller::MonthEndValues::Skip;

// The program started on a data directory on the history's "today".
struct Started {
    explicit Started(DataDir& data) : fs(data.path()), controller(ui, fs, clock) {
        controller.start();
    }
    testing::RecordingUi ui;
    FixedClock clock{kAnalysisToday, 1};
    PosixFileSystem fs;
    Controller controller;
};

// The yearly results as the report prints them: year, then the five amounts.
std::vector<std::vector<std::string>> yearTexts(const YearlyResults& results) {
    std::vector<std::vector<std::string>> texts;
    const auto add = [&texts](const std::string& year, const YearResult& r) {
        texts.push_back({year, milliText(r.realised), milliText(r.dividends), milliText(r.fees),
                         milliText(r.deposits), milliText(r.withdrawals)});
    };
    for (const YearResult& r : results.years)
        add(std::to_string(r.year), r);
    add("total", results.total);
    return texts;
}

std::vector<std::vector<std::string>> taxTexts(const DividendTaxAhead& tax) {
    std::vector<std::vector<std::string>> texts;
    for (const HoldingTax& h : tax.holdings)
        texts.push_back({h.code, std::to_string(h.shares), milliText(h.tax)});
    texts.push_back({"total", milliText(tax.total)});
    return texts;
}

const std::vector<std::vector<std::string>> kHistoryYears = {
    // year, realised, dividends, fees, deposits, withdrawals
    {"2024", "0.00", "420.00", "45.00", "100000.00", "-3000.00"},
    {"2025", "1978.00", "100.00", "17.00", "5000.00", "0.00"},
    {"total", "1978.00", "520.00", "62.00", "105000.00", "-3000.00"},
};
const std::vector<std::vector<std::string>> kHistoryTax = {
    {"600001", "1000", "17.00"},
    {"total", "17.00"},
};

// The history of analysis_history.h typed into the dialogs, in the order it happened.
void recordHistory(testing::TradeApp& app) {
    using Values = testing::TradeApp::Values;
    const auto on = [](const std::string& date, Values values) {
        int y, m, d;
        std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d);
        values.insert(values.begin(), {{field_id::kYear, std::to_string(y)},
                                       {field_id::kMonth, std::to_string(m)},
                                       {field_id::kDay, std::to_string(d)}});
        return values;
    };
    const auto fund = [&](const std::string& date, int operation, const std::string& amount) {
        app.ui.onDialog = [=](Form& form) {
            for (const auto& [field, text] : on(date, {}))
                testing::typeAndLeave(form, field, text);
            form.select(field_id::kOperation, operation);
            testing::typeAndLeave(form, field_id::kAmount, amount);
            form.press(field_id::kOk);
        };
        app.controller.addFund();
    };
    const auto buy = [&](const std::string& date, const std::string& code,
                         const std::string& shares, const std::string& price,
                         const std::string& fee) {
        app.typeThenOk(on(date, {{field_id::kCode, code},
                                 {field_id::kShares, shares},
                                 {field_id::kPrice, price},
                                 {field_id::kFee, fee}}));
        app.controller.buy();
    };
    fund("2024-1-2", kDeposit, "100000");
    buy("2024-1-3", "600001", "1000", "10", "15");
    buy("2024-1-10", "0001", "2000", "5", "10");
    app.onHolding("600001", &Controller::bonusShares, on("2024-6-1", {{field_id::kShares, "500"}}));
    app.onHolding("600001", &Controller::dividend, on("2024-6-28", {{field_id::kFee, "300"}}));
    app.onHolding(
        "600001", &Controller::sell,
        on("2024-9-10",
           {{field_id::kShares, "600"}, {field_id::kPrice, "12"}, {field_id::kFee, "20"}}));
    app.onHolding("0001", &Controller::dividend, on("2024-11-15", {{field_id::kFee, "120"}}));
    fund("2024-12-20", kWithdrawal, "3000");
    fund("2025-1-15", kDeposit, "5000");
    app.onHolding(
        "0001", &Controller::sell,
        on("2025-2-10",
           {{field_id::kShares, "2000"}, {field_id::kPrice, "6"}, {field_id::kFee, "12"}}));
    buy("2025-3-5", "600001", "100", "11", "5");
    app.onHolding("600001", &Controller::dividend, on("2025-3-20", {{field_id::kFee, "100"}}));
    fund("2025-3-25", kAdjustment, "12.5");
}

TEST(Analysis, AHistoryRecordedWithTheCommandsIsAnalysedToTheCent) {
    DataDir data;
    testing::TradeApp app(data);
    app.clock.setToday(kAnalysisToday);
    recordHistory(app);
    ASSERT_TRUE(app.ui.messages.empty()) << gbkToUtf8(app.ui.messages.front().text);
    // The positions the commands left are those of the stored history, but for the current
    // price: the bonus of 500 on 1 000 brought it to the ex-rights price 10.00 x 1000 / 1500.
    EXPECT_EQ(app.row(LedgerList::Holdings, 1,
                      {held_column::kCode, held_column::kShares, held_column::kBuyTotal,
                       held_column::kCurrentPrice}),
              (std::vector<std::string>{"600001", "1000", "3940.00", "6.67"}));
    EXPECT_EQ(app.rows(LedgerList::Sold), 3u);

    // Opened again, the analysis is made from the rows as loaded.
    app.reopen();
    const NodeAnalysis analysis = app.controller.analysis(kSkip);
    EXPECT_EQ(yearTexts(analysis.years), kHistoryYears);
    EXPECT_EQ(taxTexts(analysis.dividendTax), kHistoryTax);
    // The panel's 盈利率, and the money-weighted rate of -100000.00 on 2024-01-02, +3000.00 on
    // 2024-12-20, -5000.00 on 2025-01-15 and the net value 107159.47 today.
    EXPECT_EQ(app.panel(5), "  107159.47");
    EXPECT_EQ(app.panel(7), "      5.06%");
    ASSERT_TRUE(analysis.returns.simple && analysis.returns.moneyWeighted);
    EXPECT_EQ(fixed2(*analysis.returns.simple), "5.06");
    EXPECT_EQ(fixed2(*analysis.returns.moneyWeighted), "4.12");

    // The stored history the other tests share is what the commands wrote, with the holding's
    // price as a program that did not adjust for the bonus left it (10.00).
    DataDir stored;
    stored.account("zrdata", 1, "one", testing::analysisHistory());
    const NodeAnalysis fromFile = Started(stored).controller.analysis(kSkip);
    EXPECT_EQ(yearTexts(fromFile.years), kHistoryYears);
    EXPECT_EQ(taxTexts(fromFile.dividendTax), kHistoryTax);
    EXPECT_EQ(fixed2(*fromFile.returns.moneyWeighted), "6.74");
}

TEST(Analysis, AGroupSumsItsAccounts) {
    DataDir data;
    data.account("zrdata", 1, "one", testing::analysisHistory());
    // A second account: a deposit, 600001 bought in 2023 with a dividend, and 0002 sold at a
    // loss.
    data.account(
        "zrdata", 2, "two",
        {LedgerRecord::of(testing::dated(testing::fund(kDeposit, "", 20000000, ""), 2023, 5, 4)),
         LedgerRecord::of(
             testing::dated(testing::trade(kBuy, "600001", 200, 20000, 5000), 2023, 5, 5)),
         LedgerRecord::of(
             testing::dated(testing::trade(kDividend, "600001", 0, 0, 50000), 2025, 3, 10)),
         LedgerRecord::of(
             testing::dated(testing::trade(kBuy, "0002", 100, 30000, 5000), 2024, 2, 1)),
         LedgerRecord::of(testing::dated(testing::trade(kSell, "0002", 100, 25000, 5000, 3005000),
                                         2024, 8, 1))});
    Started app(data);
    Controller& controller = app.controller;

    controller.selectNode(2);
    const NodeAnalysis two = controller.analysis(kSkip);
    EXPECT_EQ(yearTexts(two.years), (std::vector<std::vector<std::string>>{
                                        {"2023", "0.00", "0.00", "5.00", "20000.00", "0.00"},
                                        {"2024", "-510.00", "0.00", "10.00", "0.00", "0.00"},
                                        {"2025", "0.00", "50.00", "0.00", "0.00", "0.00"},
                                        {"total", "-510.00", "50.00", "15.00", "20000.00", "0.00"},
                                    }));
    // Two years held: no tax on its dividend.
    EXPECT_EQ(taxTexts(two.dividendTax), (std::vector<std::vector<std::string>>{
                                             {"600001", "200", "0.00"}, {"total", "0.00"}}));

    controller.selectNode(0);  // the group, with both accounts open
    const NodeAnalysis group = controller.analysis(kSkip);
    EXPECT_EQ(yearTexts(group.years),
              (std::vector<std::vector<std::string>>{
                  {"2023", "0.00", "0.00", "5.00", "20000.00", "0.00"},
                  {"2024", "-510.00", "420.00", "55.00", "100000.00", "-3000.00"},
                  {"2025", "1978.00", "150.00", "17.00", "5000.00", "0.00"},
                  {"total", "1468.00", "570.00", "77.00", "125000.00", "-3000.00"},
              }));
    // One holding of 600001 in two accounts: their shares and taxes summed, each account's lots
    // its own (the dividend of account two goes to its 200 shares alone).
    EXPECT_EQ(taxTexts(group.dividendTax), (std::vector<std::vector<std::string>>{
                                               {"600001", "1200", "17.00"}, {"total", "17.00"}}));
    ASSERT_TRUE(group.returns.moneyWeighted && group.returns.simple);
    EXPECT_EQ(percent2(*group.returns.simple, 10), controller.totalsPanel().texts[7]);
}

TEST(Analysis, WithoutDepositsThereIsNoRate) {
    DataDir data;
    data.account("zrdata", 1, "one",
                 {LedgerRecord::of(testing::dated(testing::trade(kBuy, "600001", 100, 10000, 5000),
                                                  2024, 1, 3))});
    Started app(data);
    Controller& controller = app.controller;
    const NodeAnalysis analysis = controller.analysis(kSkip);
    EXPECT_FALSE(analysis.returns.moneyWeighted);
    EXPECT_FALSE(analysis.returns.simple);
    EXPECT_EQ(analysis.dividendTax.holdings.size(), 1u);
}

TEST(Analysis, MonthByMonthWithTheHoldingsValuedFromTheDayFiles) {
    DataDir data;
    data.account("zrdata", 1, "one", testing::analysisHistory());
    data.settings([](Settings& s) {
        s.priceSource = 0;
        copyToField(s.priceSourceDirs[0], kPriceSourceDirSize, "ql");
    });
    // 600001 has closes in every month but February 2025; 0001 up to January 2025.
    testing::writeFileAt(data.path(), "ql/data/shase/day/600001.day",
                         testing::dayRecords({{20240103, 10000},
                                              {20240131, 10200},
                                              {20240229, 10300},
                                              {20240329, 10100},
                                              {20240430, 9900},
                                              {20240531, 9800},
                                              {20240628, 9700},
                                              {20240731, 9600},
                                              {20240830, 9900},
                                              {20240930, 12000},
                                              {20241031, 11800},
                                              {20241129, 11500},
                                              {20241231, 11200},
                                              {20250124, 11000},
                                              {20250305, 11000},
                                              {20250328, 11100},
                                              {20250402, 99999}}));
    std::vector<testing::Day> days0001;
    for (std::uint32_t month = 1; month <= 12; ++month)
        days0001.push_back({20240000 + month * 100 + 15, 5000 + month * 10});
    days0001.push_back({20250120, 5900});
    testing::writeFileAt(data.path(), "ql/data/sznse/day/0001.day", testing::dayRecords(days0001));

    Started app(data);
    Controller& controller = app.controller;

    const NodeAnalysis analysis = controller.analysis(Controller::MonthEndValues::FromDayFiles);
    ASSERT_EQ(analysis.months.size(), 15u);  // 2024-01 to 2025-03
    const MonthPoint& january = analysis.months[0];
    EXPECT_EQ(january.year, 2024);
    EXPECT_EQ(january.month, 1);
    EXPECT_EQ(fixed2(january.invested), "100000.00");
    EXPECT_EQ(fixed2(january.holdingsCost), "20025.00");
    EXPECT_EQ(fixed2(january.cash), "79975.00");
    // 1000 x 10.20 less the fees of selling them (81.60), and 2000 x 5.01 less 3.00 + ... :
    // valued as the holdings list values a stock.
    ASSERT_TRUE(january.marketValue);
    const Settings& s = controller.settings();
    const double expected =
        1000 * 10.2 -
        tradeFee(s.categories, 1000, categoryOfCode(s, "600001"), 10.2, TradeSide::Sell) +
        2000 * 5.01 -
        tradeFee(s.categories, 2000, categoryOfCode(s, "0001"), 5.01, TradeSide::Sell);
    EXPECT_EQ(fixed2(*january.marketValue), fixed2(expected));

    const MonthPoint& september = analysis.months[8];
    EXPECT_EQ(fixed2(september.holdingsCost), "12845.00");  // 20025.00 - 7180.00 of the sale
    EXPECT_EQ(fixed2(september.cash), "87455.00");          // 100000 - 20025 + 300 + 7180
    // February 2025: 600001 has no close that month, so no value; March is valued at the
    // last close up to today, not at the one after it.
    EXPECT_FALSE(analysis.months[13].marketValue);
    ASSERT_TRUE(analysis.months[14].marketValue);
    EXPECT_EQ(fixed2(*analysis.months[14].marketValue),
              fixed2(1000 * 11.1 - tradeFee(s.categories, 1000, categoryOfCode(s, "600001"), 11.1,
                                            TradeSide::Sell)));
    EXPECT_EQ(fixed2(analysis.months[14].invested), "102000.00");
    EXPECT_EQ(fixed2(analysis.months[14].holdingsCost), "3940.00");
    EXPECT_EQ(fixed2(analysis.months[14].cash), "100545.50");  // the panel's 资金余额

    // Without day files as the source there are no values.
    EXPECT_FALSE(controller.analysis(kSkip).months[0].marketValue);
}

TEST(Analysis, TheHoldingsByValueAreTheLargestTenAndTheRest) {
    std::vector<LedgerRecord> slots;
    for (int i = 0; i < 12; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "6000%02d", i + 1);
        StockRecord s = testing::stock(kHeldState, code, 100 * (i + 1), 100000);
        s.price = 10000;
        slots.push_back(LedgerRecord::of(s));
    }
    DataDir data;
    data.account("zrdata", 1, "one", slots);
    Started app(data);
    Controller& controller = app.controller;

    const std::vector<ValueSlice> slices = controller.analysis(kSkip).holdings;
    ASSERT_EQ(slices.size(), 11u);
    EXPECT_EQ(slices[0].code, "600012");
    EXPECT_EQ(slices[9].code, "600003");
    EXPECT_EQ(slices[10].code, "");
    EXPECT_EQ(slices[10].name, gbk("其他"));
    // The two smallest together, each as its row shows its 总现价.
    const auto& rows = controller.lists().rows(LedgerList::Holdings);
    double rest = 0;
    for (const LedgerRow& row : rows) {
        if (!row.isSummary() &&
            (row.text(held_column::kCode) == "600001" || row.text(held_column::kCode) == "600002"))
            rest += *parseMoney(row.text(held_column::kValue));
    }
    EXPECT_EQ(fixed2(slices[10].value), fixed2(rest));
}

}  // namespace
}  // namespace tallivan
