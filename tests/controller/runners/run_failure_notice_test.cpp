// The notice at the end of a run that failed: one per run whatever number of drives failed,
// naming the unit and the count of files that could not be copied, with the action that opens
// the activity log of the day; none after a clean run.
#include <gtest/gtest.h>

#include <deque>

#include "controller/runners/drive_unit_run.h"
#include "controller/runners/file_dir_run.h"
#include "tests/controller/frame_world.h"

namespace tv::test {
namespace {

constexpr const char* kFailed = "バックアップに失敗しました|";
constexpr const char* kHeld = "Tessaravine ミラーリングの削除を保留しました|";

// What the engine reports of one job.
struct JobEnd {
    uint64_t failedFiles = 0;
    bool error = false;
    uint32_t held = 0;
    UnstorableFiles unstorable{};
};

class RunFailureNoticeTest : public ::testing::Test {
  protected:
    RunFailureNoticeTest() {
        w.world.AddDrive('C', kDriveFixed, 0x1111AAAA);
        const std::string backupDrive = w.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
        w.world.AddDrive('E', kDriveFixed, 0x2222BBBB);
        w.StoreSettings([&backupDrive](SettingsRecord& s) {
            s.SynchroDirectory = JoinPath(backupDrive, "sync");
            s.Directry2 = JoinPath(backupDrive, "mirror");
            s.SyncNoCDCopy = 1;
        });
        w.Start();
        w.copyRunner.finish = [this](const CopyJob&, CopyOutcome& outcome) {
            if (ends.empty()) return;
            const JobEnd end = ends.front();
            ends.pop_front();
            outcome.Logged.errors = end.failedFiles;
            outcome.HadError = end.failedFiles > 0 || end.error || end.held > 0 ? 1 : 0;
            outcome.MassDeletionHeld = end.held;
            outcome.Unstorable = end.unstorable;
        };
    }

    SettingsRecord& settings() { return w.frame().settings(); }

    FrameWorld w;
    std::deque<JobEnd> ends;  // of the next jobs, in turn; a job beyond them ends clean
};

TEST_F(RunFailureNoticeTest, ADriveUnitRunTellsWhatFailedOnceAtItsEnd) {
    struct Case {
        const char* name;
        std::deque<JobEnd> ends;  // drives C and E
        std::vector<std::string> notices;
    };
    const Case cases[] = {
        {"a clean run", {{}, {}}, {}},
        {"three files of one drive",
         {{3, false, 0}, {}},
         {std::string(kFailed) + "「ドライブ単位」で 3 個のファイルをコピーできませんでした。"}},
        {"files of both drives, told together",
         {{3, false, 0}, {2, false, 0}},
         {std::string(kFailed) + "「ドライブ単位」で 5 個のファイルをコピーできませんでした。"}},
        {"files the destinations could not hold, each reason once, summed over drives",
         {{4, false, 0, {1, 0, 2}}, {3, false, 0, {1, 1, 0}}},
         {std::string(kFailed) + "「ドライブ単位」で 7 個のファイルをコピーできませんでした。\n"
                                 "うち 2 個は、転送先のファイルシステムが使えない名前のため保存"
                                 "できませんでした。\n"
                                 "うち 1 個は、大文字と小文字だけが違う名前を転送先が区別できない"
                                 "ため保存できませんでした。\n"
                                 "うち 2 個は、転送先のファイルシステムが扱える大きさを超えるため"
                                 "保存できませんでした。"}},
        {"an error without a failed file",
         {{0, true, 0}, {}},
         {std::string(kFailed) + "「ドライブ単位」の実行中にエラーが発生しました。"}},
        // The hold has a notice of its own, at once.
        {"a deletion held back alone", {{0, false, 60}, {}}, {"hold"}},
        {"a deletion held back and failed files",
         {{0, false, 60}, {1, false, 0}},
         {"hold",
          std::string(kFailed) + "「ドライブ単位」で 1 個のファイルをコピーできませんでした。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.notifier = FakeNotifier{};
        ends = c.ends;

        RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);

        std::vector<std::string> told;
        for (const std::string& notice : w.notifier.notifications) {
            told.push_back(notice.rfind(kHeld, 0) == 0 ? "hold" : notice);
        }
        EXPECT_EQ(told, c.notices);
        for (const Notice& notice : w.notifier.notices) {
            ASSERT_TRUE(notice.action.has_value());
            EXPECT_EQ(notice.action->key, "open-log");
            EXPECT_EQ(notice.action->label, "ログを開く");
        }
    }
}

TEST_F(RunFailureNoticeTest, ADestinationOutOfReachIsToldOnce) {
    settings().SynchroDirectory = "//nas/backup/pc1";
    w.shares.answer = MountResult::kUnreachable;

    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);

    EXPECT_TRUE(w.copyRunner.sources.empty());
    EXPECT_EQ(
        w.notifier.notifications,
        std::vector<std::string>{std::string(kFailed) + "「ドライブ単位」の転送先 //nas/backup/pc1 "
                                                        "に接続できませんでした。"});
    EXPECT_TRUE(w.notifier.notices[0].action.has_value());
}

TEST_F(RunFailureNoticeTest, AManualFileDirRunNamesItsUnit) {
    settings().Drives['C' - 'A'].Work = DriveWork::UnitSource;
    w.prompts.Expect("バックアップします。", "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    ends = {{3, false, 0}};

    RunFileDir(w.frame(), settings(), RunOrigin::Manual);

    EXPECT_EQ(w.notifier.notifications,
              std::vector<std::string>{
                  std::string(kFailed) +
                  "「ファイル・ディレクトリ単位」で 3 個のファイルをコピーできませんでした。"});
}

TEST_F(RunFailureNoticeTest, TheActionOpensTheLogOfTheDayOrShowsItOnTheOpenDialog) {
    ends = {{3, false, 0}};
    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
    w.clock.SetLocal(2005, 8, 1, 8, 0, 0);  // the user comes to it the next morning

    w.notifier.ChooseLastAction();
    EXPECT_EQ(w.dialog.logDaysAtOpen, std::vector<std::string>{"2005/07/31"});
    EXPECT_FALSE(w.frame().state().mode.dialogOpen());

    // With the dialog open, the log comes to the front on it; no second dialog.
    w.dialog.whileOpen = [this] { w.notifier.ChooseLastAction(); };
    w.frame().OnTrayEvent(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(w.dialog.logDaysAtOpen, (std::vector<std::string>{"2005/07/31", ""}));
    EXPECT_EQ(w.dialog.logDaysShown, std::vector<std::string>{"2005/07/31"});

    // A run in progress keeps the dialog out, as it does for the tray.
    w.dialog.whileOpen = nullptr;
    w.copyRunner.insideWindow = [this] { w.notifier.ChooseLastAction(); };
    ends = {};
    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
    EXPECT_EQ(w.dialog.logDaysAtOpen.size(), 2u);
}

}  // namespace
}  // namespace tv::test
