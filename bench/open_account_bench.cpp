// Opening a large account as the tree's selection change does: read and decode 100 000 slots,
// fill the four lists, sort them by date and compute the totals.
//
//   tallivan_bench                      run the benchmarks
//   tallivan_bench --make-data DIR      only write the data directory (for timing the CLI)
//   tallivan_bench --make-history DIR N write a history of N transactions for this program and
//                                       for ledger/hledger (see portfolio_history.h)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/controller.h"
#include "base/gbk.h"
#include "base/random.h"
#include "bench_files.h"
#include "forms/form.h"
#include "large_account.h"
#include "portfolio_history.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"
#include "storage/name_table.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

constexpr int kSlots = 100000;
constexpr int kPositions = 2000;

// A code of a Shanghai share, of a Shenzhen share, or of no category.
std::string codeOf(int n) {
    char code[8];
    switch (n % 3) {
        case 0:
            std::snprintf(code, sizeof code, "6%05d", n % 100000);
            break;
        case 1:
            std::snprintf(code, sizeof code, "%04d", n % 10000);
            break;
        default:
            std::snprintf(code, sizeof code, "3%05d", n % 100000);
            break;
    }
    return code;
}

template <class Record>
void setDate(Record& r, LcgRandom& random) {
    r.year = static_cast<std::uint16_t>(1990 + random.next() % 36);
    r.month = static_cast<std::uint8_t>(1 + random.next() % 12);
    r.day = static_cast<std::uint8_t>(1 + random.next() % 28);
}

// 2 000 positions (three held to one sold) each followed by its note, trades of every type,
// fund movements, and one slot in fifty deleted.
std::vector<LedgerRecord> largeLedger() {
    LcgRandom random;
    random.seed(7);
    std::vector<LedgerRecord> slots;
    slots.reserve(kSlots);
    int positions = 0;
    while (static_cast<int>(slots.size()) < kSlots) {
        const int n = static_cast<int>(slots.size());
        if (positions < kPositions && n % 50 == 0 && n + 1 < kSlots) {
            StockRecord s;
            const int state = positions % 4 == 3 ? kSoldState : kHeldState;
            s.kindState = kindStateOf(SlotKind::Stock, state);
            copyToField(s.code, sizeof s.code, codeOf(positions));
            s.shares = 100 * (1 + random.next() % 50);
            s.cost = static_cast<std::int64_t>(s.shares) * (3000 + random.next() % 40000);
            s.price = 3000 + random.next() % 40000;
            s.takeProfitPrice = s.price + 1000;
            s.stopLossPrice = s.price - 1000;
            setDate(s, random);
            slots.push_back(LedgerRecord::of(s));
            NoteRecord note;
            note.kindState = kindStateOf(SlotKind::Note, state);
            copyToField(note.memo, sizeof note.memo, gbk("长线持有"));
            slots.push_back(LedgerRecord::of(note));
            ++positions;
            continue;
        }
        LedgerRecord record;
        if (n % 7 == 0) {
            FundRecord f;
            f.kindState = kindStateOf(SlotKind::Fund, random.next() % 3);
            copyToField(f.title, sizeof f.title, gbk("存入"));
            f.amount = (random.next() % 2000000) - 500000;
            copyToField(f.memo, sizeof f.memo, gbk("工资"));
            setDate(f, random);
            record = LedgerRecord::of(f);
        } else {
            TradeRecord t;
            t.kindState = kindStateOf(SlotKind::Trade, random.next() % 8);
            copyToField(t.code, sizeof t.code, codeOf(random.next()));
            t.shares = 100 * (1 + random.next() % 50);
            t.price = 3000 + random.next() % 40000;
            t.fee = 5000 + random.next() % 100000;
            t.costBasis = static_cast<std::int64_t>(t.shares) * (3000 + random.next() % 40000);
            t.reserved = -1000000;
            setDate(t, random);
            record = LedgerRecord::of(t);
        }
        if (n % 50 == 25)
            record.markDeleted();
        slots.push_back(record);
    }
    return slots;
}

// The data directory: default settings, a name table of 3 000 names, zrdata/zr_00001.acc.
void makeDataDirectory(const std::string& root) {
    std::filesystem::create_directories(root + "/zrdata");
    PosixFileSystem fs(root);
    saveSettings(fs, defaultSettings());

    std::string names;
    for (int i = 0; i < 3000; ++i) {
        const NameEntry e = makeNameEntry(*codeKey(codeOf(i)), gbk("股票名称"));
        names.append(reinterpret_cast<const char*>(&e), sizeof e);
    }
    std::ofstream(root + "/" + kNameTableFileName, std::ios::binary) << names;

    AccountHeader header{};
    copyToField(header.title, sizeof header.title, "large");
    bench::writeWholeAccount(root + "/zrdata/" + accountFileName(1), header, largeLedger());
}

}  // namespace

const std::string& bench::largeAccountDirectory() {
    static testing::TempDir dir;
    static const bool made = (makeDataDirectory(dir.path()), true);
    (void)made;
    return dir.path();
}

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
        tallivan::makeDataDirectory(argv[2]);
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
