// The analysis of the large account (100 000 slots): everything `tallivan-cli report` and the
// 分析 page compute once the account is open, and its parts one by one.
#include <benchmark/benchmark.h>

#include "app/controller.h"
#include "large_account.h"
#include "report/dividend_tax.h"
#include "report/monthly_history.h"
#include "report/node_history.h"
#include "report/yearly_results.h"

namespace tallivan {
namespace {

struct OpenLargeAccount {
    OpenLargeAccount() : fs(bench::largeAccountDirectory()), controller(ui, fs, clock) {
        controller.start();
    }
    PosixFileSystem fs;
    bench::SilentUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
};

void AnalyseLargeAccount(benchmark::State& state) {
    OpenLargeAccount app;
    for (auto _ : state) {
        const NodeAnalysis analysis = app.controller.analysis(Controller::MonthEndValues::Skip);
        benchmark::DoNotOptimize(analysis.years.total);
    }
}
BENCHMARK(AnalyseLargeAccount)->Unit(benchmark::kMillisecond);

void RebuildHistoryFromRows(benchmark::State& state) {
    OpenLargeAccount app;
    for (auto _ : state)
        benchmark::DoNotOptimize(nodeHistory(app.controller.lists()).trades.size());
}
BENCHMARK(RebuildHistoryFromRows)->Unit(benchmark::kMillisecond);

void YearlyResultsOfHistory(benchmark::State& state) {
    OpenLargeAccount app;
    const NodeHistory history = nodeHistory(app.controller.lists());
    for (auto _ : state)
        benchmark::DoNotOptimize(yearlyResults(history).total);
}
BENCHMARK(YearlyResultsOfHistory)->Unit(benchmark::kMillisecond);

void DividendTaxOfHistory(benchmark::State& state) {
    OpenLargeAccount app;
    const NodeHistory history = nodeHistory(app.controller.lists());
    for (auto _ : state)
        benchmark::DoNotOptimize(dividendTaxAhead(history, {2026, 12, 10}).total);
}
BENCHMARK(DividendTaxOfHistory)->Unit(benchmark::kMillisecond);

void MonthlyHistoryOfHistory(benchmark::State& state) {
    OpenLargeAccount app;
    const NodeHistory history = nodeHistory(app.controller.lists());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            monthlyHistory(history, {2026, 12, 10}, app.controller.settings(), nullptr).size());
    }
}
BENCHMARK(MonthlyHistoryOfHistory)->Unit(benchmark::kMillisecond);

void ReturnsOfHistory(benchmark::State& state) {
    OpenLargeAccount app;
    const NodeHistory history = nodeHistory(app.controller.lists());
    const PanelValues values =
        panelValues(app.controller.lists(), app.controller.totals(), app.controller.settings());
    for (auto _ : state)
        benchmark::DoNotOptimize(nodeReturns(history, values, {2026, 12, 10}).moneyWeighted);
}
BENCHMARK(ReturnsOfHistory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallivan
