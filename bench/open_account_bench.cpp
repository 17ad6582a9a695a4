// Opening a large account as the tree's selection change does: read and decode 100 000 slots,
// fill the four lists, sort them by date and compute the totals.
//
//   tallivan_bench                      run the benchmarks
//   tallivan_bench --make-data DIR      only write the data directory (for timing the CLI)
//   tallivan_bench --make-history DIR N write a history of N transactions for this program and
//                                       for ledger/hledger (see portfolio_history.h)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/controller.h"
#include "large_account.h"
#include "portfolio_history.h"

namespace tallivan {
namespace {

using bench::SilentUi;

const std::string& dataDirectory() {
    return bench::largeAccountDirectory();
}

// The whole start-up of the program on the data directory: settings, names, tree, and the
// opening of the selected account with its lists, sorting and totals.
void StartAndOpenLargeAccount(benchmark::State& state) {
    PosixFileSystem fs(dataDirectory());
    SilentUi ui;
    // A clock whose seconds never make a compaction due keeps every run alike.
    FixedClock clock({2026, 12, 10}, 1);
    for (auto _ : state) {
        Controller controller(ui, fs, clock);
        controller.start();
        benchmark::DoNotOptimize(controller.totalsPanel());
        if (controller.lists().rows(LedgerList::Trades).size() < 80000)
            state.SkipWithError("the account did not open");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(StartAndOpenLargeAccount)->Unit(benchmark::kMillisecond);

// Selecting the account again: the lists are emptied and filled anew.
void ReselectLargeAccount(benchmark::State& state) {
    PosixFileSystem fs(dataDirectory());
    SilentUi ui;
    FixedClock clock({2026, 12, 10}, 1);
    Controller controller(ui, fs, clock);
    controller.start();
    for (auto _ : state) {
        controller.selectNode(1);
        benchmark::DoNotOptimize(controller.totalsPanel());
    }
}
BENCHMARK(ReselectLargeAccount)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallivan

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make-data") == 0) {
        tallivan::bench::makeLargeAccountDirectory(argv[2]);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--make-history") == 0) {
        tallivan::bench::writePortfolioHistory(argv[2], std::atoi(argv[3]), 2000);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
