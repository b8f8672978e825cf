// The program started again while it runs: the frame opens its settings dialog, or brings the
// open one to the front, unless a run or the exit keeps the dialog out.
#include <gtest/gtest.h>

#include "tests/controller/frame_world.h"

namespace tv::test {
namespace {

TEST(ControllerSecondStart, OpensTheSettingsOrBringsTheOpenDialogToTheFront) {
    FrameWorld w;
    w.StoreSettings();
    MainFrame& frame = w.Start();

    frame.OnSecondStart();
    EXPECT_EQ(w.dialog.timersAtOpen.size(), 1u);
    EXPECT_EQ(w.dialog.broughtToFront, 0);

    // Started again while the user has the dialog open somewhere under other windows.
    w.dialog.whileOpen = [&frame] { frame.OnSecondStart(); };
    frame.OnSecondStart();
    EXPECT_EQ(w.dialog.timersAtOpen.size(), 2u);
    EXPECT_EQ(w.dialog.broughtToFront, 1);
    EXPECT_FALSE(frame.state().mode.dialogOpen());
}

// The run started from the dialog is under way when the program is started again.
TEST(ControllerSecondStart, NothingOpensDuringARun) {
    FrameWorld w;
    const std::string backup = w.world.AddDrive('D', kDriveFixed, 0xDEFu);
    const std::string documents = w.world.MakeFolder("documents");
    w.StoreSettings([&](SettingsRecord& s) {
        s.Directry2 = JoinPath(backup, "mirror");
        s.FileList = {documents};
    });
    MainFrame& frame = w.Start();
    w.dialog.endCode = kSettingsRunFileDir;
    w.prompts.Expect("バックアップします。", "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    w.copyRunner.insideWindow = [&frame] { frame.OnSecondStart(); };

    frame.OnSecondStart();
    EXPECT_EQ(w.copyRunner.sources, std::vector<std::string>{documents});
    EXPECT_EQ(w.dialog.timersAtOpen.size(), 1u);
    EXPECT_EQ(w.dialog.broughtToFront, 0);
}

TEST(ControllerSecondStart, NothingOpensWhileTheExitIsBeingConfirmed) {
    FrameWorld w;
    w.StoreSettings();
    MainFrame& frame = w.Start();
    frame.state().mode.BeginClosing();
    frame.OnSecondStart();
    EXPECT_TRUE(w.dialog.timersAtOpen.empty());
    EXPECT_EQ(w.dialog.broughtToFront, 0);
}

}  // namespace
}  // namespace tv::test
