#include <gtest/gtest.h>

#include "controller/test_mode/speed_figures.h"
#include "controller/test_mode/speed_test_run.h"
#include "engine/scan/timed_copy.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/controller/frame_fakes.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

TEST(TestFile, IsWholeCopiesOfTheTextOfExactlyTheSize) {
    TestWorld world;
    const std::string path = JoinPath(world.MakeFolder("p"), kTestFileName);
    ASSERT_TRUE(WriteTestFile(path, 1));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, &bytes));
    ASSERT_EQ(bytes.size(), 1024000u);
    EXPECT_EQ(bytes.substr(0, 32), "This is Test Data--Tessaravine--");
    EXPECT_EQ(bytes.substr(bytes.size() - 32), "This is Test Data--Tessaravine--");
    // Sizes past 32 bits are counted in 64.
    EXPECT_EQ(TestFileBytes(5000), 5120000000u);
}

TEST(SpeedFigures, SpeedsAndTheEstimateWithoutPauses) {
    SettingsRecord settings;
    settings.SyncChacheSize = 0;  // 32 KB blocks
    settings.SyncLoadControl = 3;
    const uint64_t bytes = 1024000;  // 31 blocks: 93 ms of pauses
    const struct {
        uint64_t ms;
        const char* perMinute;
        const char* perHour;
        const char* fullPerMinute;
    } cases[] = {
        {0, "測定不能", "測定不能", "測定不能"},
        {93, "629MB", "37796MB", "測定不能"},  // the pauses took the whole time
        {1000, "58MB", "3515MB", "64MB"},
        {2000000, "測定不能", "測定不能", "測定不能"},  // under one byte a millisecond
    };
    for (const auto& c : cases) {
        const std::optional<Speed> measured = SpeedOf(bytes, c.ms);
        const std::optional<Speed> full = FullPowerSpeedOf(bytes, c.ms, settings);
        EXPECT_EQ(SpeedText(measured ? std::optional(measured->perMinuteMb) : std::nullopt),
                  c.perMinute)
            << c.ms;
        EXPECT_EQ(SpeedText(measured ? std::optional(measured->perHourMb) : std::nullopt),
                  c.perHour)
            << c.ms;
        EXPECT_EQ(SpeedText(full ? std::optional(full->perMinuteMb) : std::nullopt),
                  c.fullPerMinute)
            << c.ms;
    }
    // A file no larger than one block: two pauses with 2 MB blocks, four with any other.
    settings.SyncChacheSize = 6;
    EXPECT_EQ(EstimatedPauseMs(1024000, settings), 6u);
    settings.SyncChacheSize = 7;
    EXPECT_EQ(EstimatedPauseMs(1024000, settings), 12u);
}

TEST(SpeedFigures, TransferTimes) {
    const struct {
        uint64_t totalMb;
        std::optional<uint64_t> perMinute;
        bool slowest;
        const char* text;
    } cases[] = {
        {30, 60, false, "0時間0分"},    {30, 60, true, "0時間1分"},
        {6000, 50, false, "2時間0分"},  {6001, 50, true, "2時間0分"},
        {30, 0, false, "転送時間不明"}, {30, std::nullopt, true, "転送時間不明"},
        {0, 60, true, "0時間1分"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TransferTimeText(c.totalMb, c.perMinute, c.slowest), c.text) << c.totalMb;
    }
}

class SpeedTestRunTest : public ::testing::Test {
  protected:
    SpeedTestRunTest() {
        EXPECT_TRUE(EnsureFolder(programDir));
        settings.SynchroDirectory = world.MakeFolder("backup");
        settings.SyncLoadControl = 0;
    }
    SpeedTestServices services() {
        return {world.drives(), mounter, prompts, programDir, documentsDir};
    }
    void ExpectTold(const char* text) {
        prompts.Expect(text, "情報", kMbOk | kMbIconInformation, kIdOk);
    }

    TestWorld world;
    std::string programDir = JoinPath(world.AddDrive('C', kDriveFixed), "program");
    std::string documentsDir = world.MakeFolder("documents");
    SettingsRecord settings;
    FakeShareMounter mounter;
    ScriptedPrompts prompts;
};

TEST_F(SpeedTestRunTest, ThreeRunsMakeTheFileOnceAndDeleteItAfterTheLast) {
    ExpectTold(kTestFileStartMessage);
    ExpectTold(kTimingStartMessage);
    SpeedTestRequest request;
    request.megabytes = 2;
    request.runs = 3;
    AverageCopyMs(request, settings, services());
    EXPECT_EQ(prompts.asked().size(), 2u);
    EXPECT_FALSE(PathExists(JoinPath(programDir, kTestFileName)));
    EXPECT_FALSE(PathExists(JoinPath(settings.SynchroDirectory, kTestFileName)));
}

TEST_F(SpeedTestRunTest, CopiesGoToTheDestinationAndToTheDocumentsWithoutOne) {
    SpeedTestRequest request;
    EXPECT_EQ(TimedCopyFolder(request, settings, documentsDir), settings.SynchroDirectory);
    request.unit = SettingsUnit::FileDir;
    settings.Directry2 = JoinPath(settings.SynchroDirectory, "not-there");
    EXPECT_EQ(TimedCopyFolder(request, settings, documentsDir), documentsDir);
    settings.Directry2 = "//server/share/backup";
    EXPECT_EQ(TimedCopyFolder(request, settings, documentsDir), settings.Directry2);
}

TEST_F(SpeedTestRunTest, AMissingMediumIsAskedAboutUntilTheUserGivesUp) {
    world.AddDrive('E', kDriveRemovable);
    const std::string root = world.root('E');
    ASSERT_TRUE(RemoveFolder(root));
    ExpectTold(kTestFileStartMessage);
    prompts.Expect(kNoMediumQuestion, "確認", kMbYesNo | kMbIconQuestion, kIdNo);
    prompts.Expect(kNoMediumQuestion, "確認", kMbYesNo | kMbIconQuestion, kIdYes);
    SpeedTestRequest request;
    request.unit = SettingsUnit::Removable;
    request.removableLetter = 'E';
    EXPECT_EQ(AverageCopyMs(request, settings, services()), 0u);
}

}  // namespace
}  // namespace tv::test
