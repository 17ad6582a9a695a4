// A damaged data directory opens without a crash and shows what is readable.
#include <gtest/gtest.h>

#include <limits>

#include "app/controller.h"
#include "base/random.h"
#include "core/ledger_fixture.h"
#include "support/recording_ui.h"

namespace tallivan {
namespace {

using testing::DataDir;

// Slots holding every kind with extreme field values.
std::vector<LedgerRecord> hostileSlots() {
    constexpr auto i32min = std::numeric_limits<std::int32_t>::min();
    constexpr auto i32max = std::numeric_limits<std::int32_t>::max();
    constexpr auto i64min = std::numeric_limits<std::int64_t>::min();
    constexpr auto i64max = std::numeric_limits<std::int64_t>::max();
    std::vector<LedgerRecord> slots;
    for (const std::int64_t big : {i64min, i64max, std::int64_t{0}, std::int64_t{-1}}) {
        for (const std::int32_t small : {i32min, i32max, 0, -1}) {
            for (const int state : {kHeldState, kSoldState}) {
                StockRecord s = testing::stock(state, "600001", small, big);
                s.price = small;
                s.takeProfitPrice = small;
                s.stopLossPrice = big;
                s.year = 0xFFFF;
                s.month = 0xFF;
                s.day = 0;
                slots.push_back(LedgerRecord::of(s));
            }
            for (int type = 0; type < 16; ++type) {
                TradeRecord t = testing::trade(type, "0001", small, small, small, big);
                t.kindState = kindStateOf(SlotKind::Trade, type);
                slots.push_back(LedgerRecord::of(t));
                FundRecord f = testing::fund(type, "x", small, "y");
                f.kindState = kindStateOf(SlotKind::Fund, type);
                slots.push_back(LedgerRecord::of(f));
            }
        }
    }
    // Texts without their terminating NUL.
    LedgerRecord unterminated;
    unterminated.bytes.fill(0xB0);
    for (int kind : {0, 1, 2, 4}) {
        unterminated.bytes[0] = kindStateOf(static_cast<SlotKind>(kind), 1);
        slots.push_back(unterminated);
    }
    return slots;
}

std::vector<LedgerRecord> randomSlots(std::uint32_t seed, int count) {
    LcgRandom random;
    random.seed(seed);
    std::vector<LedgerRecord> slots(static_cast<std::size_t>(count));
    for (LedgerRecord& slot : slots)
        for (std::uint8_t& byte : slot.bytes)
            byte = static_cast<std::uint8_t>(random.next());
    return slots;
}

std::vector<std::string> accountPaths(const AccountTree& tree) {
    std::vector<std::string> paths;
    for (int i = 0; i < tree.size(); ++i) {
        if (!tree.node(i).isGroup)
            paths.push_back(tree.node(i).path);
    }
    return paths;
}

TEST(DamagedData, AccountFilesOpenAsFarAsTheyAreReadable) {
    DataDir data;
    data.account("zrdata", 1, "hostile", hostileSlots());
    data.account("zrdata", 2, "random", randomSlots(7, 500));
    // A cut-off last slot, and an account that is only a header.
    data.dir().write("zrdata/zr_00002.acc", data.dir().read("zrdata/zr_00002.acc") + "tail");
    data.account("zrdata", 3, "empty", {});
    data.dir().write("zrdata/zr_00004.acc", "");
    data.dir().write("zrdata/zr_00005.acc", std::string(131, 'Z'));
    data.fs().makeDirectory("zrdata/zr_00006.acc");  // a directory, not an account

    testing::RecordingUi ui;
    FixedClock clock({2026, 12, 10}, 1);
    Controller controller(ui, data.fs(), clock);
    controller.start();
    EXPECT_EQ(accountPaths(controller.tree()),
              (std::vector<std::string>{"zrdata/zr_00001.acc", "zrdata/zr_00002.acc",
                                        "zrdata/zr_00003.acc"}));
    std::size_t trades = 0;
    for (int node : {1, 2, 3}) {
        controller.selectNode(node);
        EXPECT_TRUE(controller.commands().enabled(CommandId::EditAccount)) << node;
        for (LedgerList list :
             {LedgerList::Holdings, LedgerList::Sold, LedgerList::Trades, LedgerList::Funds}) {
            for (const LedgerRow& row : controller.lists().rows(list))
                for (int c = 0; c < row.textCount(); ++c)
                    EXPECT_LE(row.text(c).size(), 40u) << node;
        }
        trades += controller.lists().rows(LedgerList::Trades).size();
    }
    controller.selectNode(0);  // the group shows all three
    EXPECT_EQ(controller.lists().rows(LedgerList::Trades).size(), trades);
    EXPECT_GT(trades, 100u);
    EXPECT_TRUE(ui.messages.empty());
    // Opening writes nothing but a compaction, which would drop the cut-off tail.
    const std::size_t size = data.dir().read("zrdata/zr_00002.acc").size();
    EXPECT_TRUE(size == 132 + 500 * 40 + 4 || (size - 132) % 40 == 0) << size;
}

TEST(DamagedData, SettingsNamesAndMarkersNeverStopTheStart) {
    const struct {
        const char* what;
        std::string settings;
        std::string names;
        std::string marker;
        std::string groupName;  // as the tree shows it
        int nameEntries;
    } cases[] = {
        {"empty files", "", "", "", "", 0},
        {"a marker without NUL", std::string(600, '\0'), std::string(25, '\x01'),
         "abcdefghijklmnop", "abcdefghij", 2},
        {"random bytes", std::string(2000, '\xEE'), std::string(11, 'x'), std::string(40, '\xB0'),
         std::string(10, '\xB0'), 0},
    };
    for (const auto& c : cases) {
        DataDir data;
        data.dir().write(kSettingsFileName, c.settings);
        data.dir().write(kNameTableFileName, c.names);
        data.account("zrdata", 1, "one", testing::sampleLedger());
        data.dir().write("zrdata/zrstk.grp", c.marker);

        testing::RecordingUi ui;
        FixedClock clock({2026, 12, 10}, 1);
        Controller controller(ui, data.fs(), clock);
        controller.start();
        EXPECT_EQ(controller.names().count(), c.nameEntries) << c.what;
        const std::vector<std::string> dirs = searchDirectories(controller.settings());
        ASSERT_FALSE(dirs.empty()) << c.what;
        if (dirs.front() != "zrdata") {
            // Random settings name a directory that is not there: a group without accounts.
            EXPECT_EQ(controller.tree().size(), 1) << c.what;
            continue;
        }
        ASSERT_EQ(controller.tree().size(), 2) << c.what;
        EXPECT_EQ(controller.tree().node(0).text, c.groupName) << c.what;
        EXPECT_EQ(controller.lists().rows(LedgerList::Trades).size(), 2u) << c.what;
    }
}

}  // namespace
}  // namespace tallivan
