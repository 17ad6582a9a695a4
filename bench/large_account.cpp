// The benchmarks' large account: 2 000 positions, trades of every type and fund movements in
// 100 000 slots, one in fifty deleted.
#include "large_account.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/gbk.h"
#include "base/random.h"
#include "bench_files.h"
#include "storage/account_file.h"
#include "storage/account_scrambling.h"
#include "storage/name_table.h"
#include "storage/settings.h"
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

}  // namespace

void bench::makeLargeAccountDirectory(const std::string& root) {
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

const std::string& bench::largeAccountDirectory() {
    static testing::TempDir dir;
    static const bool made = (makeLargeAccountDirectory(dir.path()), true);
    (void)made;
    return dir.path();
}

}  // namespace tallivan
