// Kills the crash worker at random moments, and at each change its file layer makes, many times
// over, while it records trades, rewrites positions and memos, compacts the account, exports it as
// text and saves the settings; after every kill the data must open, every record must be one the
// worker wrote whole, every position must be what its account's transactions make it, and nothing
// the worker finished may be missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "app/controller.h"
#include "crash/crash_worker.h"
#include "report/text_export.h"
#include "storage/account_file.h"
#include "storage/settings.h"
#include "storage/slot_journal.h"
#include "support/recording_ui.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using namespace crash;

// The cycles of each step the progress file shows done, and the last cycle begun.
struct Progress {
    std::map<std::string, std::set<int>> done;
    int begun = -1;

    explicit Progress(const std::string& dataDir) {
        std::ifstream log(dataDir + "/" + kProgressFile);
        std::string step;
        int k = 0;
        while (log >> step >> k) {
            if (step == "begin")
                begun = std::max(begun, k);
            else
                done[step].insert(k);
        }
    }
    const std::set<int>& doneIn(const std::string& step) const {
        static const std::set<int> none;
        const auto s = done.find(step);
        return s == done.end() ? none : s->second;
    }
    bool isDone(const std::string& step, int k) const { return doneIn(step).count(k) > 0; }
};

// The cycle whose buy (sale) price `price` is, or -1.
int cycleOfPrice(std::int32_t price, std::int32_t base) {
    return price >= base && (price - base) % 10 == 0 ? (price - base) / 10 : -1;
}

class CrashConsistency : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(saveSettings(fs, defaultSettings()), 0);
        ASSERT_EQ(fs.makeDirectory("zrdata"), 0);
        ASSERT_EQ(createAccountFile(fs, kAccount, testing::newHeader("crash")), 0);
    }

    // The size of the progress file, 0 before it exists.
    std::uintmax_t progressSize() const {
        std::error_code error;
        const auto size = std::filesystem::file_size(dir.path() + "/" + kProgressFile, error);
        return error ? 0 : size;
    }

    // Starts the worker, waits until it has logged `logged` more bytes of progress, then kills
    // it after `delay` microseconds more. Waiting for progress rather than for a fixed time
    // puts the kills among the steps however slow the machine is.
    pid_t startWorker(std::optional<int> killAt = std::nullopt) {
        const std::string n = killAt ? std::to_string(*killAt) : std::string();
        const pid_t pid = fork();
        if (pid == 0) {
            // The worker's complaints, if any, go to a file the test shows.
            const std::string errors = dir.path() + "/worker.err";
            if (FILE* err = std::freopen(errors.c_str(), "w", stderr); !err)
                _exit(126);
            if (killAt) {
                execl(TALLIVAN_CRASH_WORKER_PATH, TALLIVAN_CRASH_WORKER_PATH, dir.path().c_str(),
                      "--kill-at", n.c_str(), static_cast<char*>(nullptr));
            } else {
                execl(TALLIVAN_CRASH_WORKER_PATH, TALLIVAN_CRASH_WORKER_PATH, dir.path().c_str(),
                      static_cast<char*>(nullptr));
            }
            _exit(127);
        }
        return pid;
    }

    // Lets the worker run until it kills itself at its `n`-th change to the files.
    void runUntilKilledAt(int n) {
        const pid_t pid = startWorker(n);
        ASSERT_GE(pid, 0);
        int status = 0;
        for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
            if (waited >= 60000) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                FAIL() << "the worker did not reach change " << n << " in a minute";
            }
            usleep(1000);
        }
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "worker exit status " << WEXITSTATUS(status) << ":\n"
            << readWholeFile(fs, "worker.err").value_or("");
    }

    void runAndKill(std::uintmax_t logged, useconds_t delay) {
        const std::uintmax_t before = progressSize();
        const pid_t pid = startWorker();
        ASSERT_GE(pid, 0);
        int status = 0;
        for (int waited = 0; progressSize() < before + logged; ++waited) {
            ASSERT_LT(waited, 60000) << "the worker made no progress in a minute";
            ASSERT_EQ(waitpid(pid, &status, WNOHANG), 0)
                << "the worker stopped by itself:\n"
                << readWholeFile(fs, "worker.err").value_or("");
            usleep(1000);
        }
        usleep(delay);
        kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        // Killed, not ended on its own (a worker that stops by itself has failed).
        ASSERT_TRUE(WIFSIGNALED(status)) << "worker exit status " << WEXITSTATUS(status) << ":\n"
                                         << readWholeFile(fs, "worker.err").value_or("");
    }

    void expectWholeData() {
        const Progress progress(dir.path());
        interrupted.insert(progress.begun);
        expectWholeExports(progress);
        expectWholeAccount(progress);
        expectPositionsAgreeWithTrades();
        expectWholeSettings(progress);
        expectAccountOpens();
        EXPECT_FALSE(journalWaiting(fs)) << "the journal was not applied at start";
    }

    // The step of the cycle under way at the kill: the first it had not finished.
    std::string stepInterrupted() const {
        const Progress p(dir.path());
        const int k = p.begun;
        for (const auto& [step, runs] : {std::pair{"buy", true},
                                         {"memo", true},
                                         {"sell", sellsIn(k)},
                                         {"compact", compactsIn(k)},
                                         {"export", exportsIn(k)},
                                         {"settings", true}}) {
            if (runs && !p.isDone(step, k))
                return step;
        }
        return "after the cycle";
    }

    // Each held and sold position is what the account's transactions make it: no trade without
    // its position, no position without its trades, no holding below zero.
    void expectPositionsAgreeWithTrades() {
        struct Position {
            std::int64_t shares = 0, cost = 0, proceeds = 0;
            bool operator==(const Position&) const = default;
        };
        std::map<std::string, Position> held, sold, heldStored, soldStored;
        const AccountContents contents = readAccount(fs, kAccount, Password{}, true);
        for (const LedgerRecord& slot : contents.slots) {
            if (slot.kind() == SlotKind::Trade) {
                const auto t = slot.as<TradeRecord>();
                const std::string code = fieldText(t.code, sizeof t.code);
                const std::int64_t amount = std::int64_t{t.price} * t.shares;
                if (t.type() == kBuy) {
                    held[code].shares += t.shares;
                    held[code].cost += amount + t.fee;
                } else {
                    held[code].shares -= t.shares;
                    held[code].cost -= t.costBasis;
                    sold[code].shares += t.shares;
                    sold[code].cost += t.costBasis;
                    sold[code].proceeds += amount - t.fee;
                }
            } else if (slot.kind() == SlotKind::Stock) {
                const auto s = slot.as<StockRecord>();
                const std::string code = fieldText(s.code, sizeof s.code);
                const bool isHeld = s.state() == kHeldState;
                auto& stored = isHeld ? heldStored : soldStored;
                EXPECT_FALSE(stored.count(code)) << code << " has two positions";
                stored[code] = {s.shares, s.cost,
                                isHeld ? std::int64_t{0} : std::int64_t{s.proceeds}};
            }
        }
        std::erase_if(held, [](const auto& p) { return p.second == Position{}; });
        std::erase_if(sold, [](const auto& p) { return p.second == Position{}; });
        EXPECT_EQ(heldStored, held) << "holdings disagree with the transactions";
        EXPECT_EQ(soldStored, sold) << "sold positions disagree with the transactions";
        for (const auto& [code, p] : heldStored)
            EXPECT_GT(p.shares, 0) << code;
        if (heldStored != held || soldStored != sold)
            ++inconsistent;
    }

    void expectWholeAccount(const Progress& p) {
        EXPECT_EQ(fs.listFiles("zrdata", ".acc"), std::vector<std::string>{"zr_00001.acc"});
        const AccountContents contents = readAccount(fs, kAccount, Password{}, true);
        ASSERT_EQ(contents.status, AccountStatus::Ok);
        EXPECT_TRUE(contents.complete);
        EXPECT_FALSE(contents.partialTail) << "a slot was written in part";
        std::map<int, int> buys, sales;
        for (const LedgerRecord& slot : contents.slots) {
            switch (slot.kind()) {
                case SlotKind::Trade: {
                    const auto t = slot.as<TradeRecord>();
                    const std::string code = fieldText(t.code, sizeof t.code);
                    const bool isBuy = t.type() == kBuy;
                    ASSERT_TRUE(isBuy || t.type() == kSell) << "trade type " << t.type();
                    const int k = cycleOfPrice(t.price, isBuy ? buyPriceOf(0) : salePriceOf(0));
                    ASSERT_GE(k, 0) << "price " << t.price;
                    EXPECT_EQ(code, codeOf(k));
                    EXPECT_EQ(t.fee, 5000);
                    EXPECT_TRUE(t.shares > 0 && t.shares % 100 == 0) << t.shares;
                    ++(isBuy ? buys : sales)[k];
                    break;
                }
                case SlotKind::Stock: {
                    const auto s = slot.as<StockRecord>();
                    const int code = std::stoi(fieldText(s.code, sizeof s.code));
                    EXPECT_TRUE(code >= 600000 && code < 600007) << code;
                    EXPECT_TRUE(s.state() == kHeldState || s.state() == kSoldState);
                    EXPECT_TRUE(s.shares >= 0 && s.shares % 100 == 0) << s.shares;
                    break;
                }
                case SlotKind::Note: {
                    const auto n = slot.as<NoteRecord>();
                    const std::string memo = fieldText(n.memo, sizeof n.memo);
                    EXPECT_TRUE(memo.empty() ||
                                (memo[0] == 'm' && std::stoi(memo.substr(1)) <= p.begun))
                        << memo;
                    break;
                }
                case SlotKind::Deleted:
                    break;  // a position sold out, with its memo
                default:
                    ADD_FAILURE() << "a slot of kind " << int(slot.kind());
            }
        }
        // Every trade finished is there once; besides, only those under way at a kill may be.
        for (const auto& [step, stepCounts] : {std::pair{"buy", &buys}, {"sell", &sales}}) {
            for (const int k : p.doneIn(step))
                EXPECT_EQ(stepCounts->count(k) ? stepCounts->at(k) : 0, 1) << step << ' ' << k;
            for (const auto& [k, count] : *stepCounts) {
                EXPECT_EQ(count, 1) << step << ' ' << k;
                EXPECT_TRUE(p.isDone(step, k) || interrupted.count(k)) << step << ' ' << k;
            }
        }
    }

    // Each text export is a whole file of one export: lines of its list's width, each ending in
    // CR LF, no transaction twice (what an old file's tail under a shorter new one would show).
    void expectWholeExports(const Progress& p) {
        const struct {
            LedgerList list;
            std::size_t lineLength;
        } exports[] = {{LedgerList::Holdings, 216},
                       {LedgerList::Sold, 174},
                       {LedgerList::Trades, 142},
                       {LedgerList::Funds, 72}};
        for (const auto& e : exports) {
            const std::string path = joinPath("zrdata", exportFileName(e.list, "crash"));
            const auto text = readWholeFile(fs, path);
            if (!text) {
                EXPECT_TRUE(p.doneIn("export").empty()) << path << " is gone";
                continue;  // not exported yet
            }
            ASSERT_GE(text->size(), e.lineLength) << path << " lost its caption line";
            ASSERT_EQ(text->size() % e.lineLength, 0u) << path;
            std::set<std::string> lines;
            for (std::size_t at = 0; at < text->size(); at += e.lineLength) {
                const std::string line = text->substr(at, e.lineLength);
                ASSERT_EQ(line.substr(e.lineLength - 2), "\r\n") << path << " at " << at;
                EXPECT_TRUE(lines.insert(line).second) << path << ": a line twice";
            }
        }
    }

    void expectWholeSettings(const Progress& p) {
        const auto bytes = readWholeFile(fs, kSettingsFileName);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->size(), kSettingsFileSize);
        Settings settings;
        ASSERT_EQ(loadSettings(fs, settings), SettingsLoad::Loaded);
        const std::string name =
            fieldText(settings.categories[0].name, sizeof settings.categories[0].name);
        // The last settings saved, or those of a cycle killed after it saved them.
        const std::set<int>& saved = p.doneIn("settings");
        const int lastSaved = saved.empty() ? -1 : *saved.rbegin();
        std::set<std::string> allowed = {lastSaved < 0
                                             ? fieldText(defaultSettings().categories[0].name,
                                                         sizeof settings.categories[0].name)
                                             : categoryNameOf(lastSaved)};
        for (auto k = interrupted.upper_bound(lastSaved); k != interrupted.end(); ++k)
            allowed.insert(categoryNameOf(*k));
        EXPECT_TRUE(allowed.count(name)) << name;
    }

    void expectAccountOpens() {
        testing::RecordingUi ui;
        FixedClock clock({2026, 12, 10}, 1);
        Controller controller(ui, fs, clock);
        controller.start();
        EXPECT_TRUE(ui.messages.empty());
        ASSERT_EQ(controller.tree().size(), 2);
        EXPECT_TRUE(controller.tree().node(1).account->header.has_value());
    }

    testing::TempDir dir;
    PosixFileSystem fs{dir.path()};
    std::set<int> interrupted;  // the cycles under way when the worker was killed
    int inconsistent = 0;
};

TEST_F(CrashConsistency, KilledAtRandomMomentsTheDataStaysWholeAndOpens) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::uintmax_t> logged(1, 120);  // about one to twelve steps
    std::uniform_int_distribution<useconds_t> delay(0, 5000);
    // Sixty kills at least, and on until kills have fallen after every kind of step (a slow,
    // busy machine gets less done between two kills).
    const auto everyStepDone = [&] {
        const Progress progress(dir.path());
        for (const char* step : {"buy", "memo", "sell", "compact", "export", "settings"}) {
            if (progress.doneIn(step).empty())
                return false;
        }
        return true;
    };
    int kills = 0;
    for (; kills < 60 || (!everyStepDone() && kills < 600); ++kills) {
        runAndKill(logged(random), delay(random));
        expectWholeData();
        ASSERT_FALSE(HasFailure()) << "after kill " << kills;
    }
    EXPECT_TRUE(everyStepDone()) << "after " << kills << " kills";
    std::printf("%d random kills, %d left positions that disagree with the transactions\n", kills,
                inconsistent);
}

// The worker killed at its 1st, 2nd, 3rd ... change to the files, counted from the start of the
// cycle it begins with: every write, sync, rename and removal of every kind of step is hit, in
// cycles of every kind.
TEST_F(CrashConsistency, KilledAtEachChangeOfEachCommandTheLedgerStaysWhole) {
    constexpr int kChangesSwept = 90;  // more than the longest cycle makes
    std::map<std::string, int> interruptedSteps;
    int kills = 0;
    for (int sweep = 0; sweep < 2; ++sweep) {
        for (int n = 1; n <= kChangesSwept; ++n, ++kills) {
            runUntilKilledAt(n);
            ++interruptedSteps[stepInterrupted()];
            expectWholeData();
            ASSERT_FALSE(HasFailure()) << "killed at change " << n << " of sweep " << sweep;
        }
    }
    for (const char* step : {"buy", "memo", "sell", "compact", "export", "settings"})
        EXPECT_GT(interruptedSteps[step], 0) << step << " was never interrupted";
    std::printf("%d kills at a file change:", kills);
    for (const auto& [step, count] : interruptedSteps)
        std::printf(" %s %d,", step.c_str(), count);
    std::printf(" %d left positions that disagree with the transactions\n", inconsistent);
}

}  // namespace
}  // namespace tallivan
