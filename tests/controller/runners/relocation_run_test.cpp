#include "controller/runners/relocation_run.h"

#include <gtest/gtest.h>

namespace tv::test {
namespace {

// Keeps the relocation it is handed, with its excluded folders as they were then, and ends it
// with a result of the test's choosing.
class KeepingRunner : public CopyRunner {
  public:
    CopyRunResult RunCopyJob(const CopyJob&, const std::string&) override { return {}; }
    int RunRelocation(const RelocationRequest& request, const std::string& title) override {
        seen = request;
        excluded = request.ExcludedFolders ? *request.ExcludedFolders : StringList{};
        this->title = title;
        return result;
    }

    RelocationRequest seen;
    StringList excluded;
    std::string title;
    int result = 0;
};

// The removable unit's own buffer and load control go with the run, never another unit's; the
// window is titled by what the run does, and the runner's result comes back.
TEST(RelocationRunTest, RunsWithTheRemovableUnitsOptionsUnderTheTitleOfItsKind) {
    SettingsRecord settings;
    settings.RemChacheSize = 3;
    settings.RemLoadControl = 7;
    settings.SyncChacheSize = 5;
    settings.SyncLoadControl = 9;
    settings.MirrorChacheSize = 6;
    settings.MirrorLoadControl = 8;
    settings.IdleCheck = 1;
    settings.ExceptSubFolder = 1;
    settings.Navigation = 1;
    settings.ExceptList = {"/skip/this"};
    struct Case {
        bool move;
        const char* title;
        int result;
    };
    for (const Case& c : {Case{false, "リムバブルメディア保存先のコピー", 0},
                          Case{true, "リムバブルメディア保存先の移動", kResultDestinationFull}}) {
        SCOPED_TRACE(c.title);
        KeepingRunner runner;
        runner.result = c.result;

        EXPECT_EQ(RunBackupRelocation(runner, settings, "/old/E", "/new/E", c.move), c.result);

        EXPECT_EQ(runner.title, c.title);
        EXPECT_EQ(runner.seen.OldFolder, "/old/E");
        EXPECT_EQ(runner.seen.NewFolder, "/new/E");
        EXPECT_EQ(runner.seen.Move, c.move);
        EXPECT_EQ(runner.seen.RemChacheSize, 3);
        EXPECT_EQ(runner.seen.RemLoadControl, 7);
        EXPECT_EQ(runner.seen.IdleCheck, 1);
        EXPECT_EQ(runner.seen.ExceptSubFolder, 1);
        EXPECT_EQ(runner.seen.Navigation, 1);
        EXPECT_EQ(runner.seen.ExcludedFolders, &settings.ExceptList);
        EXPECT_EQ(runner.excluded, StringList{"/skip/this"});
        EXPECT_EQ(runner.seen.LogRecord, nullptr);
    }
}

}  // namespace
}  // namespace tv::test
