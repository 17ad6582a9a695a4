// How fast the desktop program shows a large account, and how fast its lists are ordered and
// narrowed. Make the data first:
//
//   tallivan_bench --make-data DIR            (an account of 100 000 slots)
//   tallivan_desktop_bench DIR [RUNS]         (default 9 runs)
//
// Start: the program is started RUNS times as a new process on DIR, as a person starts it, and
// timed from its launch to the first paint of its filled lists, with the moments each step of
// the start was done. Then, in one
// window, the 100 000-row transaction list is ordered by a text, a number and a date column
// and narrowed by a text and by a date range, each RUNS times. Every figure is the median.
// Without a display the offscreen platform is used.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPaintEvent>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/controller.h"
#include "base/clock.h"
#include "filter_bar.h"
#include "ledger_proxy.h"
#include "ledger_view.h"
#include "main_window.h"
#include "qt_ui.h"
#include "storage/file_io.h"

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Reports once the list's viewport has been painted with rows in it.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QTableView* view) : view_(view) {
        view->viewport()->installEventFilter(this);
    }
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && view_->model()->rowCount() > 1)
            painted = true;
        return false;
    }

  private:
    QTableView* view_;
};

struct Program {
    tallivan::PosixFileSystem files;
    tallivan::SystemClock clock;
    tallivan::gui::QtUi ui;
    tallivan::Controller controller{ui, files, clock};
    std::unique_ptr<tallivan::gui::MainWindow> window;

    explicit Program(const std::string& dir) : files(dir) {}
    void startController() { controller.start(tallivan::Controller::FirstRun::Prepare); }
    void buildWindow() {
        window = std::make_unique<tallivan::gui::MainWindow>(controller);
        ui.setOwner(window.get());
    }
};

// The steps of a start, in milliseconds from the start of the process.
constexpr const char* kSteps[] = {"toolkit ready", "ledger loaded", "window built",
                                  "lists painted"};
constexpr int kStepCount = 4;

// One start, as the program does it; prints when each step was done.
int startOnce(int argc, char** argv, const std::string& dir, Clock::time_point start) {
    double at[kStepCount];
    QApplication app(argc, argv);
    at[0] = millisecondsSince(start);
    Program program(dir);
    program.startController();
    at[1] = millisecondsSince(start);
    program.buildWindow();
    at[2] = millisecondsSince(start);
    FirstPaint paint(program.window->findChild<QTableView*>("lsvBuy"));
    program.window->showAtStart();
    while (!paint.painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    at[3] = millisecondsSince(start);
    std::printf("%.1f %.1f %.1f %.1f\n", at[0], at[1], at[2], at[3]);
    std::fflush(stdout);
    return 0;
}

// Starts this program with --once RUNS times; the median of each step, and of the whole start
// as the parent sees it (from fork to the child's report).
std::vector<double> timeStarts(const char* self, const std::string& dir, int runs) {
    // The steps, the whole start as seen from here, and the processor time the start took.
    std::vector<std::vector<double>> times(kStepCount + 2);
    for (int i = 0; i < runs; ++i) {
        int out[2];
        if (pipe(out) != 0)
            return {};
        const auto start = Clock::now();
        const pid_t child = fork();
        if (child == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl(self, self, "--once", dir.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char line[128] = {};
        const ssize_t got = read(out[0], line, sizeof line - 1);
        const double wall = millisecondsSince(start);
        close(out[0]);
        int status = 0;
        rusage used{};
        wait4(child, &status, 0, &used);
        const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
        double at[kStepCount];
        if (got <= 0 || std::sscanf(line, "%lf %lf %lf %lf", &at[0], &at[1], &at[2], &at[3]) != 4)
            return {};
        for (int s = 0; s < kStepCount; ++s)
            times[static_cast<std::size_t>(s)].push_back(at[s]);
        times[kStepCount].push_back(wall);
        times[kStepCount + 1].push_back(ms(used.ru_utime) + ms(used.ru_stime));
    }
    std::vector<double> medians;
    for (const auto& t : times)
        medians.push_back(median(t));
    return medians;
}

double timeIt(int runs, const std::function<void()>& prepare, const std::function<void()>& act) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        act();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

}  // namespace

int main(int argc, char** argv) {
    const auto processStart = Clock::now();
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc >= 3 && std::string(argv[1]) == "--once")
        return startOnce(argc, argv, argv[2], processStart);
    if (argc < 2) {
        std::fputs(
            "usage: tallivan_desktop_bench DIR [RUNS]   (DIR from tallivan_bench --make-data)\n",
            stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const int runs = argc >= 3 ? std::max(1, std::atoi(argv[2])) : 9;

    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 1;
    const std::vector<double> start = timeStarts(self, dir, runs);
    if (start.empty())
        return 1;
    std::printf(
        "start to filled lists: %.1f ms, %.1f ms of processor time (from the start of the process:",
        start[kStepCount], start[kStepCount + 1]);
    for (int s = 0; s < kStepCount; ++s)
        std::printf(" %s %.1f%s", kSteps[s], start[static_cast<std::size_t>(s)],
                    s + 1 < kStepCount ? "," : ")\n");

    QApplication app(argc, argv);
    Program program(dir);
    program.startController();
    program.buildWindow();
    program.window->showAtStart();
    QApplication::processEvents();
    auto* trades = program.window->findChild<tallivan::gui::LedgerView*>("lsvRec");
    std::printf("transactions: %d rows\n", trades->model()->rowCount());
    const auto original = [trades] { trades->showOriginalOrder(); };
    const struct {
        const char* what;
        int column;
    } orders[] = {{"by code (text)", 2}, {"by amount (number)", 8}, {"by date", 1}};
    for (const auto& o : orders) {
        std::printf("order %-20s %.1f ms\n", o.what, timeIt(runs, original, [trades, &o] {
                        trades->sortByColumn(o.column, Qt::DescendingOrder);
                    }));
    }
    tallivan::gui::LedgerProxyModel* shown = trades->shown();
    const auto unfiltered = [shown] { shown->setFilter({}); };
    tallivan::RowFilter byText;
    byText.text = "6000";
    tallivan::RowFilter byDates;
    byDates.fromDate = 20000101;
    byDates.toDate = 20101231;
    for (const auto& [what, filter] :
         {std::pair{"by text", byText}, std::pair{"by dates", byDates}}) {
        const double time = timeIt(runs, unfiltered, [&, f = filter] { shown->setFilter(f); });
        std::printf("filter %-20s %.1f ms (%d rows left)\n", what, time, shown->rowCount());
    }
    return 0;
}
