// Opening the page 分析 on the large account (100 000 slots) in the desktop program, on the
// offscreen platform: the analysis, its tables and its three charts made and painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <cstdlib>

#include "analysis_page.h"
#include "app/controller.h"
#include "large_account.h"
#include "main_window.h"

namespace tallivan {
namespace {

struct Desktop {
    Desktop() : fs(bench::largeAccountDirectory()), controller(ui, fs, clock) {
        controller.start();
        window = std::make_unique<gui::MainWindow>(controller);
        window->show();
        pages = window->findChild<QTabWidget*>("PageControl1");
        page = window->findChild<gui::AnalysisPage*>("tabFx");
    }
    PosixFileSystem fs;
    bench::SilentUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
    std::unique_ptr<gui::MainWindow> window;
    QTabWidget* pages = nullptr;
    gui::AnalysisPage* page = nullptr;
};

// From the page 股票 to the page 分析 after the ledger changed: the page makes the analysis,
// fills its tables, builds its charts and is painted.
void OpenAnalysisPage(benchmark::State& state) {
    Desktop desktop;
    if (!desktop.page || desktop.controller.lists().rows(LedgerList::Trades).size() < 80000) {
        state.SkipWithError("the account did not open");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        desktop.pages->setCurrentIndex(0);
        desktop.page->refresh();
        QApplication::processEvents();
        state.ResumeTiming();
        desktop.pages->setCurrentWidget(desktop.page);
        benchmark::DoNotOptimize(desktop.page->grab());
    }
}
BENCHMARK(OpenAnalysisPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallivan

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
