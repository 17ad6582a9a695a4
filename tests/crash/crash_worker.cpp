// The program the crash test kills: it records trades, rewrites positions and memos, compacts
// the account and saves the settings in an endless loop of cycles (see crash_worker.h), and
// logs every step it finishes. Started again, it goes on after the last cycle it began. With
// --kill-at N it kills itself at the N-th change its file layer makes in its first cycle: a
// write, a sync, a rename, a removal or a file created.
//
//   tallivan_crash_worker DATA_DIR [--kill-at N]
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "app/controller.h"
#include "base/gbk.h"
#include "base/numbers.h"
#include "crash/crash_worker.h"
#include "storage/account_compaction.h"
#include "storage/data_lock.h"
#include "storage/settings.h"
#include "support/recording_ui.h"

using namespace tallivan;
using namespace tallivan::crash;

namespace {

// The cycle after the last one the progress file shows begun.
int nextCycle(const std::string& dataDir) {
    std::ifstream log(dataDir + "/" + kProgressFile);
    std::string step;
    int k = -1;
    int last = -1;
    while (log >> step >> k)
        last = std::max(last, k);
    return last + 1;
}

// The real files, and a stop at a chosen change, as a power cut or a kill would make it.
class KillingFileSystem : public PosixFileSystem {
  public:
    using PosixFileSystem::PosixFileSystem;

    // From now on, dies at the `n`-th change (1 = the next one).
    void killAt(std::optional<int> n) { changesLeft_ = n; }

    int open(const std::string& path, OpenMode mode) override {
        if (mode != OpenMode::Read && mode != OpenMode::ReadWrite)
            change();
        return PosixFileSystem::open(path, mode);
    }
    std::int64_t write(int handle, const void* buffer, std::size_t size) override {
        change();
        return PosixFileSystem::write(handle, buffer, size);
    }
    int truncate(int handle, std::int64_t length) override {
        change();
        return PosixFileSystem::truncate(handle, length);
    }
    int sync(int handle) override {
        change();
        return PosixFileSystem::sync(handle);
    }
    int rename(const std::string& from, const std::string& to) override {
        change();
        return PosixFileSystem::rename(from, to);
    }
    int remove(const std::string& path) override {
        change();
        return PosixFileSystem::remove(path);
    }
    int syncDirectory(const std::string& directory) override {
        change();
        return PosixFileSystem::syncDirectory(directory);
    }

  private:
    void change() {
        if (changesLeft_ && --*changesLeft_ == 0)
            ::kill(::getpid(), SIGKILL);
    }
    std::optional<int> changesLeft_;
};

class Worker {
  public:
    Worker(const std::string& dataDir, std::optional<int> killAt)
        : fs_(dataDir),
          controller_(ui_, fs_, clock_),
          log_(dataDir + "/" + kProgressFile, std::ios::app),
          killAt_(killAt) {
        controller_.start();
    }

    void cycle(int k) {
        if (killAt_)
            fs_.killAt(std::exchange(killAt_, std::nullopt));
        done("begin", k);
        buy(k);
        done("buy", k);
        writeMemo(k);
        done("memo", k);
        if (sellsIn(k)) {
            sellAll(k);
            done("sell", k);
        }
        if (compactsIn(k)) {
            compact();
            done("compact", k);
        }
        if (exportsIn(k)) {
            controller_.exportText();
            done("export", k);
        }
        saveCategoryName(k);
        done("settings", k);
    }

  private:
    void done(const char* step, int k) {
        // Flushed at once: a killed process loses nothing the kernel already holds.
        log_ << step << ' ' << k << std::endl;
    }

    void type(std::initializer_list<std::pair<const char*, std::string>> values) {
        std::vector<std::pair<std::string, std::string>> copied(values.begin(), values.end());
        ui_.onDialog = [copied](Form& form) {
            for (const auto& [field, text] : copied)
                testing::typeAndLeave(form, field, text);
            form.press(field_id::kOk);
        };
    }

    bool selectHolding(int k) {
        const auto& rows = controller_.lists().rows(LedgerList::Holdings);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].ref && rows[i].text(stock_column::kCode) == codeOf(k)) {
                controller_.selectRow(LedgerList::Holdings, static_cast<int>(i));
                return true;
            }
        }
        return false;
    }

    void buy(int k) {
        type({{field_id::kCode, codeOf(k)},
              {field_id::kShares, "100"},
              {field_id::kPrice, fixed2(fromMilli(buyPriceOf(k)))},
              {field_id::kFee, "5"}});
        controller_.buy();
    }

    void writeMemo(int k) {
        if (!selectHolding(k))
            return;
        controller_.setFocusedList(LedgerList::Holdings);
        type({{field_id::kMemo, memoOf(k)}});
        controller_.editStock();
    }

    void sellAll(int k) {
        if (!selectHolding(k))
            return;
        type({{field_id::kPrice, fixed2(fromMilli(salePriceOf(k)))}, {field_id::kFee, "5"}});
        controller_.sell();
    }

    // As another program would compact: under the data lock, counting the change, so the
    // controller reads the moved slots again before its next write.
    void compact() {
        {
            DataLock lock(fs_);
            if (lock.acquire() != LockStatus::Held)
                std::abort();
            const auto& node = controller_.tree().node(1);
            AccountContents contents = readAccount(fs_, kAccount, node.account->password, false);
            if (compactFile(fs_, kAccount, contents) >= 0)
                lock.bump();
            lock.release();
        }
        controller_.refreshIfChanged();
    }

    // Category 0 renamed through the settings dialog.
    void saveCategoryName(int k) {
        ui_.onDialog = [k](Form& form) {
            form.select(field_id::kCategoryList, 0);
            testing::typeAndLeave(form, field_id::kTitle, categoryNameOf(k));
            form.press(field_id::kOk);
            form.press(field_id::kCancel);
        };
        controller_.configure();
    }

    KillingFileSystem fs_;
    testing::RecordingUi ui_;
    FixedClock clock_{{2026, 12, 10}, 1765324800};
    Controller controller_;
    std::ofstream log_;
    std::optional<int> killAt_;
};

}  // namespace

int main(int argc, char** argv) {
    std::optional<int> killAt;
    if (argc == 4 && std::string(argv[2]) == "--kill-at")
        killAt = std::atoi(argv[3]);
    if (argc != 2 && !killAt) {
        std::fprintf(stderr, "usage: tallivan_crash_worker DATA_DIR [--kill-at N]\n");
        return 2;
    }
    Worker worker(argv[1], killAt);
    for (int k = nextCycle(argv[1]);; ++k)
        worker.cycle(k);
}
