// Importing a broker's statement of 50 000 rows (buys, sales, dividends and fund movements over
// 2 000 stocks, in a GBK tab-separated export): reading and comparing it with the account (the
// preview), and the whole command from the file to the stored account and the refreshed lists.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/controller.h"
#include "base/random.h"
#include "forms/form.h"
#include "statement/statement_reader.h"
#include "storage/account_file.h"
#include "storage/settings.h"
#include "support/sample_records.h"
#include "support/statement_fixtures.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

constexpr int kRows = 50000;
constexpr int kStocks = 2000;

std::string cents(std::int64_t c) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", c < 0 ? "-" : "",
                  static_cast<long long>((c < 0 ? -c : c) / 100),
                  static_cast<long long>((c < 0 ? -c : c) % 100));
    return text;
}

std::string codeOf(int n) {
    char code[8];
    std::snprintf(code, sizeof code, n % 2 ? "6%05d" : "%06d", n * 7 % 100000);
    return code;
}

// Ten rows a trading day from 2004 on; sales only of shares held.
std::vector<testing::HistoryRow> largeHistory() {
    LcgRandom random;
    random.seed(15);
    std::map<std::string, std::int64_t> held;
    std::vector<std::string> heldCodes;
    std::vector<testing::HistoryRow> rows;
    rows.reserve(kRows);
    int year = 2004;
    int month = 1;
    int day = 1;
    for (int i = 0; i < kRows; ++i) {
        if (i % 10 == 0 && ++day > 28) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        char date[32];
        std::snprintf(date, sizeof date, "%04d%02d%02d", year, month, day);
        char time[32];
        std::snprintf(time, sizeof time, "%02d:%02d:00", 9 + i % 10 / 2, i % 10 * 5);
        testing::HistoryRow r{date, time, "", "", "", "0", "0", "", "", "", ""};
        const int pick = random.next() % 100;
        if (i == 0 || pick < 3) {
            r.operation = "银行转证券";
            r.net = cents(100000000);
        } else if (pick < 6) {
            r.operation = "证券转银行";
            r.net = cents(-100000);
        } else if (pick < 55 || heldCodes.empty()) {
            const std::string code = codeOf(random.next() % kStocks);
            const std::int64_t shares = 100 * (1 + random.next() % 20);
            const std::int64_t price = 300 + random.next() % 5000;
            const std::int64_t commission = std::max<std::int64_t>(500, shares * price / 4000);
            r.operation = "证券买入";
            r.code = code;
            r.shares = std::to_string(shares);
            r.price = cents(price);
            r.commission = cents(commission);
            r.net = cents(-(shares * price + commission));
            if (held[code] == 0)
                heldCodes.push_back(code);
            held[code] += shares;
        } else {
            const std::size_t at = random.next() % heldCodes.size();
            const std::string code = heldCodes[at];
            r.code = code;
            if (pick < 90) {
                const std::int64_t shares = pick % 2 ? held[code] : (held[code] + 199) / 200 * 100;
                const std::int64_t price = 300 + random.next() % 5000;
                const std::int64_t commission = std::max<std::int64_t>(500, shares * price / 4000);
                const std::int64_t stamp = shares * price / 1000;
                r.operation = "证券卖出";
                r.shares = std::to_string(shares);
                r.price = cents(price);
                r.commission = cents(commission);
                r.stampTax = cents(stamp);
                r.net = cents(shares * price - commission - stamp);
                if ((held[code] -= shares) == 0) {
                    heldCodes[at] = heldCodes.back();
                    heldCodes.pop_back();
                }
            } else {
                r.operation = "红利入账";
                r.net = cents(held[code] * 2);
            }
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

const std::string& statementBytes() {
    static const std::string bytes = testing::tabStatement(largeHistory());
    return bytes;
}

// Presses 导入 in the preview; everything else is answered OK.
class ImportingUi : public Ui {
  public:
    std::string file;
    Answer message(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return Answer::Ok;
    }
    bool runDialog(Form& form) override {
        form.press(field_id::kImport);
        if (form.isOpen())
            form.cancel();
        return form.result() == Form::Result::Ok;
    }
    std::optional<std::string> chooseFileToOpen(const std::string&, const std::string&) override {
        return file;
    }
};

void PreviewStatement(benchmark::State& state) {
    const std::string& bytes = statementBytes();
    for (auto _ : state) {
        StatementReading reading = readStatement(bytes);
        comparePreview(reading.preview, AccountHoldings{});
        if (reading.preview.order.size() != kRows)
            state.SkipWithError("rows were not taken");
        benchmark::DoNotOptimize(reading);
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(PreviewStatement)->Unit(benchmark::kMillisecond);

// The whole command on an empty account: the file read, the preview, every row recorded, the
// account file stored, the lists sorted and the totals refreshed.
void ImportStatement(benchmark::State& state) {
    testing::TempDir dir;
    dir.write("statement.xls", statementBytes());
    PosixFileSystem fs(dir.path());
    fs.makeDirectory("zrdata");
    saveSettings(fs, defaultSettings());
    const std::string path = "zrdata/" + accountFileName(1);
    ImportingUi ui;
    ui.file = dir.file("statement.xls");
    FixedClock clock({2026, 12, 10}, 1);
    std::size_t trades = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs.remove(path);
        createAccountFile(fs, path, testing::newHeader("large"));
        Controller controller(ui, fs, clock);
        controller.start();
        state.ResumeTiming();
        controller.importStatement();
        trades = controller.lists().rows(LedgerList::Trades).size();
    }
    if (trades < kRows * 8 / 10)
        state.SkipWithError("the statement was not recorded");
    state.counters["transactions"] = static_cast<double>(trades);
}
BENCHMARK(ImportStatement)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallivan
