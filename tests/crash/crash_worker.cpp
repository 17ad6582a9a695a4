// The program the crash test kills: it records trades, rewrites positions and memos, compacts
// the account and saves the settings in an endless loop of cycles (see crash_worker.h), and
// logs every step it finishes. Started again, it goes on after the last cycle it began.
//
//   tallivan_crash_worker DATA_DIR
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/controller.h"
#include "base/gbk.h"
#include "base/numbers.h"
#include "crash/crash_worker.h"
#include "storage/account_compaction.h"
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

class Worker {
  public:
    explicit Worker(const std::string& dataDir)
        : fs_(dataDir),
          controller_(ui_, fs_, clock_),
          log_(dataDir + "/" + kProgressFile, std::ios::app) {
        controller_.start();
    }

    void cycle(int k) {
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
            form.press("cmdOk");
        };
    }

    bool selectHolding(int k) {
        const auto& rows = controller_.lists().rows(LedgerList::Holdings);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].ref && rows[i].text(column::kCode) == codeOf(k)) {
                controller_.selectRow(LedgerList::Holdings, static_cast<int>(i));
                return true;
            }
        }
        return false;
    }

    void buy(int k) {
        type({{"txtCode", codeOf(k)},
              {"txtStockNum", "100"},
              {"txtPrice", fixed2(fromMilli(buyPriceOf(k)))},
              {"txtSxf", "5"}});
        controller_.buy();
    }

    void writeMemo(int k) {
        if (!selectHolding(k))
            return;
        controller_.setFocusedList(LedgerList::Holdings);
        type({{"txtMemo", memoOf(k)}});
        controller_.editStock();
    }

    void sellAll(int k) {
        if (!selectHolding(k))
            return;
        type({{"txtPrice", fixed2(fromMilli(salePriceOf(k)))}, {"txtSxf", "5"}});
        controller_.sell();
    }

    void compact() {
        const auto& node = controller_.tree().node(1);
        AccountContents contents = readAccount(fs_, kAccount, node.account->password, false);
        compactFile(fs_, kAccount, contents);
        controller_.selectNode(1);  // the slots moved: open the account again
    }

    void saveCategoryName(int k) {
        Settings settings = controller_.settings();
        copyToField(settings.categories[0].name, sizeof settings.categories[0].name,
                    categoryNameOf(k));
        saveSettings(fs_, settings);
    }

    PosixFileSystem fs_;
    testing::RecordingUi ui_;
    FixedClock clock_{{2026, 12, 10}, 1765324800};
    Controller controller_;
    std::ofstream log_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallivan_crash_worker DATA_DIR\n");
        return 2;
    }
    Worker worker(argv[1]);
    for (int k = nextCycle(argv[1]);; ++k)
        worker.cycle(k);
}
