// Setting up a new data directory with today's fee schedule, and an old settings file that
// opening and saving leaves as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/controller.h"
#include "base/gbk.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::RecordingUi;
using testing::TempDir;

TEST(DataDirectorySetUp, ANewDirectoryGetsItsGroupDirectoryAndTodaysSchedule) {
    TempDir dir;
    PosixFileSystem fs(dir.path());
    FixedClock clock({2026, 12, 10});
    RecordingUi ui;
    Controller controller(ui, fs, clock);
    controller.start();
    ASSERT_TRUE(controller.setUpNewDataDirectory());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("zrdata")));
    EXPECT_EQ(dir.read("zrstk.cfg").size(), kSettingsFileSize);
    EXPECT_EQ(controller.quoteFee("600000", 1000, 10, TradeSide::Buy).fee, 5.10);
    EXPECT_EQ(controller.quoteFee("600000", 1000, 10, TradeSide::Sell).fee, 10.10);
    EXPECT_EQ(controller.budget().field(field_id::kStockCategory).items[0], gbk("沪市主板"));
    ASSERT_EQ(controller.tree().size(), 1);  // the empty group zrdata

    // Started again, the program computes with the schedule it finds in the file.
    Controller restarted(ui, fs, clock);
    restarted.start();
    EXPECT_EQ(restarted.quoteFee("300750", 1000, 10, TradeSide::Sell).category, 2);
    EXPECT_EQ(restarted.quoteFee("300750", 1000, 10, TradeSide::Sell).fee, 10.10);

    // A directory that has its settings is left as it is.
    const std::string before = dir.read("zrstk.cfg");
    EXPECT_FALSE(restarted.setUpNewDataDirectory());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, gbk("错误"));
    EXPECT_EQ(ui.messages[0].text, gbk("数据目录已有设置文件 zrstk.cfg,未作改动。"));
    EXPECT_EQ(dir.read("zrstk.cfg"), before);
}

TEST(DataDirectorySetUp, ADirectoryThatCannotBeMadeLeavesNoSettingsBehind) {
    TempDir dir;
    dir.write("zrdata", "a file where the group directory should go");
    dir.write("taken", "a file where the data directory should go");
    const struct {
        std::string root;
        const char* message;
    } cases[] = {
        {dir.path(), "无法创建目录 “zrdata”!"},
        {dir.file("taken"), "无法创建数据目录!"},
    };
    for (const auto& c : cases) {
        PosixFileSystem fs(c.root);
        FixedClock clock({2026, 12, 10});
        RecordingUi ui;
        Controller controller(ui, fs, clock);
        controller.start();
        EXPECT_FALSE(controller.setUpNewDataDirectory());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, gbk(c.message));
        EXPECT_FALSE(dir.exists("zrstk.cfg"));
        // The program goes on with the schedule it started with.
        EXPECT_EQ(controller.quoteFee("600000", 1000, 10, TradeSide::Buy).fee, 81.0);
    }
}

TEST(DataDirectorySetUp, AnOldSettingsFileIsUnchangedToTheByteAfterOpeningAndSaving) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("zrdata"));
    Settings old = defaultSettings();
    old.categories[1].commissionRate = 0.3;
    copyToField(old.categories[4].name, 13, gbk("创业板"));
    old.categories[4].codeLength = 6;
    old.reservedBlock = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    old.priceSource = 2;
    copyToField(old.priceSourceDirs[2], kPriceSourceDirSize, "cz");
    const SettingsImage image = encodeSettings(old);
    const std::string bytes =
        std::string(reinterpret_cast<const char*>(image.data()), image.size()) + "tail";
    dir.write("zrstk.cfg", bytes);

    PosixFileSystem fs(dir.path());
    FixedClock clock({2026, 12, 10});
    RecordingUi ui;
    Controller controller(ui, fs, clock);
    controller.start();
    ui.onDialog = [](Form& form) {
        form.select(field_id::kCategoryList, 1);
        form.press(field_id::kOk);  // the row as it was
    };
    controller.configure();
    EXPECT_EQ(dir.read("zrstk.cfg"), bytes);
    ui.onDialog = [](Form& form) { form.press(field_id::kOk); };
    controller.options();
    EXPECT_EQ(dir.read("zrstk.cfg"), bytes);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tallivan
