// The drive-unit and file/directory runners on a frame with pinned drives: which drives and
// items they hand the engine (a fake runner here), where to, with which log fields, what
// "Decision.txt" records, and how a stop, a cancel or a share out of reach ends them.
#include <gtest/gtest.h>

#include "controller/runners/drive_unit_run.h"
#include "controller/runners/file_dir_run.h"
#include "platform/file_system.h"
#include "tests/controller/frame_world.h"
#include "tests/support/file_bytes.h"

namespace tv::test {
namespace {

constexpr uint32_t kSerialC = 0x1111AAAA;
constexpr uint32_t kSerialE = 0x2222BBBB;
constexpr uint32_t kSerialF = 0x3333CCCC;

class JobRunnersTest : public ::testing::Test {
  protected:
    JobRunnersTest() {
        w.world.AddDrive('C', kDriveFixed, kSerialC);
        backupDrive = w.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
        w.world.AddDrive('E', kDriveFixed, kSerialE);
        w.world.AddDrive('F', kDriveCdRom, kSerialF);
        w.StoreSettings([this](SettingsRecord& s) {
            s.SynchroDirectory = JoinPath(backupDrive, "sync");
            s.Directry2 = JoinPath(backupDrive, "mirror");
        });
        w.Start();
    }

    SettingsRecord& settings() { return w.frame().settings(); }
    std::string Decisions() const {
        return FileBytes(JoinPath(w.world.programDir(), "Decision.txt"));
    }
    std::string Root(char letter) const { return w.world.root(letter); }
    std::vector<std::string> Works() const {
        std::vector<std::string> works;
        for (const LogRecord& log : w.copyRunner.logFields) works.push_back(log.work);
        return works;
    }

    FrameWorld w;
    std::string backupDrive;
};

TEST_F(JobRunnersTest, ADriveUnitRunCopiesEveryOtherFixedDriveAndTheCdRomUnlessLeftOut) {
    for (const int noCd : {0, 1}) {
        SCOPED_TRACE(noCd ? "without CD-ROM" : "with CD-ROM");
        w.copyRunner.sources.clear();
        w.copyRunner.jobs.clear();
        settings().SyncNoCDCopy = noCd;

        RunDriveUnit(w.frame(), settings(), RunOrigin::Manual);

        std::vector<std::string> expected = {Root('C'), Root('E')};
        if (!noCd) expected.push_back(Root('F'));
        EXPECT_EQ(w.copyRunner.sources, expected);
        EXPECT_EQ(w.copyRunner.jobs[0].Destination, JoinPath(backupDrive, "sync/1111aaaa"));
        EXPECT_EQ(w.copyRunner.jobs[0].Kind, DriveUnit);
        EXPECT_EQ(w.copyRunner.titles[0], "Synchronize 進捗状況(C:) Files:");
    }
    EXPECT_EQ(w.timers.running.count(kTimerTick), 1u);  // the tick runs again
    EXPECT_FALSE(w.frame().state().mode.running());
}

TEST_F(JobRunnersTest, TheFirstRunOfAVolumeIsABackupAndTheNextAMirroring) {
    settings().SyncNoCDCopy = 1;
    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
    const std::string first = Decisions();
    RunDriveUnit(w.frame(), settings(), RunOrigin::Manual);

    EXPECT_EQ(Works(), (std::vector<std::string>{"バックアップ", "バックアップ", "ミラーリング",
                                                 "ミラーリング"}));
    EXPECT_EQ(w.copyRunner.logFields[0].mode, "自動");
    EXPECT_EQ(w.copyRunner.logFields[2].mode, "手動");
    EXPECT_EQ(w.copyRunner.logFields[0].unit, "FullSynchrnize");
    EXPECT_EQ(w.copyRunner.logFields[0].drive, "C");
    EXPECT_EQ(first.rfind(std::to_string(kSerialC) + "\tBACKUP\t", 0), 0u) << first;
    EXPECT_NE(Decisions().find(std::to_string(kSerialE) + "\tMIRROR\t"), std::string::npos);
}

TEST_F(JobRunnersTest, EveryCountedRunAndEveryNewVolumeIsAFullBackup) {
    settings().SyncNoCDCopy = 1;
    settings().SyncFullBackup = 1;
    settings().SyncFullBackupCount = 2;
    std::vector<int> full;
    for (int run = 0; run < 4; ++run) {
        w.copyRunner.jobs.clear();
        RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
        full.push_back(w.copyRunner.jobs.at(0).FullBackup);
    }
    // New volumes, then the second run, then a normal one, then the counted one again.
    EXPECT_EQ(full, (std::vector<int>{1, 1, 0, 1}));

    settings().SyncFullBackup = 0;
    w.copyRunner.jobs.clear();
    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
    for (const CopyJob& job : w.copyRunner.jobs) EXPECT_EQ(job.FullBackup, 0);
}

TEST_F(JobRunnersTest, StopAllEndsTheRunAndStopAndNextGoesOnWithoutARecord) {
    settings().SyncNoCDCopy = 0;
    w.copyRunner.script = {0, kIdStopAll, 0};
    RunDriveUnit(w.frame(), settings(), RunOrigin::Manual);
    EXPECT_EQ(w.copyRunner.sources, (std::vector<std::string>{Root('C'), Root('E')}));
    EXPECT_EQ(Decisions().find(std::to_string(kSerialE)), std::string::npos);

    w.copyRunner.sources.clear();
    w.copyRunner.script = {0, kIdStopAndNext, 0};
    RunDriveUnit(w.frame(), settings(), RunOrigin::Manual);
    EXPECT_EQ(w.copyRunner.sources, (std::vector<std::string>{Root('C'), Root('E'), Root('F')}));
    EXPECT_EQ(Decisions().find(std::to_string(kSerialE)), std::string::npos);
    EXPECT_NE(Decisions().find(std::to_string(kSerialF)), std::string::npos);
}

TEST_F(JobRunnersTest, AManualFileDirRunCancelledAtItsQuestionCopiesNothing) {
    const std::string folder = w.world.MakeFolder("documents");
    settings().FileList = {folder};
    settings().Drives['E' - 'A'].Work = DriveWork::UnitSource;
    w.prompts.Expect("バックアップします。", "確認", kMbOkCancel | kMbIconQuestion, kIdCancel);

    RunFileDir(w.frame(), settings(), RunOrigin::Manual);

    EXPECT_TRUE(w.copyRunner.sources.empty());
    EXPECT_EQ(w.timers.running.count(kTimerTick), 1u);
}

TEST_F(JobRunnersTest, AFileDirRunBacksUpItsItemsThenItsSourceDrives) {
    const std::string folder = w.world.MakeFolder("documents");
    const std::string files = w.world.MakeFolder("files");
    w.world.Write(files, {{"report.txt", TreeFile{.content = "new", .mtime = 1120210000}},
                          {"cache.tmp", TreeFile{.content = "t"}}});
    settings().FileList = {folder, JoinPath(files, "report.txt"), JoinPath(files, "cache.tmp"),
                           JoinPath(files, "missing.txt")};
    settings().ExtList = {"TMP"};
    settings().ForceOverWrite2 = 0;
    settings().Drives['E' - 'A'].Work = DriveWork::UnitSource;

    RunFileDir(w.frame(), settings(), RunOrigin::Timer);

    EXPECT_EQ(w.copyRunner.sources, (std::vector<std::string>{folder, Root('E')}));
    EXPECT_EQ(w.copyRunner.titles, (std::vector<std::string>{"ﾌｫﾙﾀﾞﾊﾞｯｸｱｯﾌﾟ 進捗状況 1/4 Files:",
                                                             "ミラーリング 進捗状況 Files:"}));
    EXPECT_EQ(w.copyRunner.jobs[0].Destination, JoinPath(backupDrive, "mirror/documents"));
    EXPECT_EQ(w.copyRunner.jobs[1].Destination, JoinPath(backupDrive, "mirror/2222bbbb"));
    EXPECT_EQ(w.copyRunner.logFields[0].drive, folder);
    EXPECT_EQ(w.copyRunner.logFields[0].work, "バックアップ");
    // The single file is copied directly and logged; the excluded one leaves no trace.
    EXPECT_EQ(FileBytes(JoinPath(backupDrive, "mirror/report.txt")), "new");
    EXPECT_FALSE(PathExists(JoinPath(backupDrive, "mirror/cache.tmp")));
    const std::string day = FileBytes(JoinPath(w.world.programDir(), "Log/20050731.txt"));
    EXPECT_NE(day.find("File/Directory\t \t" + JoinPath(files, "report.txt") +
                       "\t自動\tバックアップ\tファイル作成\treport.txt\t"),
              std::string::npos)
        << day;
    EXPECT_NE(day.find("\tＯＫ\r\n"), std::string::npos);
    EXPECT_EQ(day.find("cache.tmp"), std::string::npos);

    // Not newer than its copy now: left alone, no second line.
    RunFileDir(w.frame(), settings(), RunOrigin::Timer);
    EXPECT_EQ(FileBytes(JoinPath(w.world.programDir(), "Log/20050731.txt")), day);
}

TEST_F(JobRunnersTest, AListItemWhoseNameLeadsOutOfTheDestinationIsNotCopied) {
    const std::string documents = w.world.MakeFolder("documents");
    const std::string inner = w.world.MakeFolder("documents/inner");
    settings().FileList = {JoinPath(inner, ".."), JoinPath(inner, "."), "/", documents};

    RunFileDir(w.frame(), settings(), RunOrigin::Timer);

    EXPECT_EQ(w.copyRunner.sources, std::vector<std::string>{documents});
    EXPECT_EQ(w.copyRunner.jobs[0].Destination, JoinPath(backupDrive, "mirror/documents"));
    EXPECT_EQ(w.notifier.notifications,
              std::vector<std::string>{
                  "バックアップに失敗しました|「ファイル・ディレクトリ単位」の転送先 " +
                  JoinPath(backupDrive, "mirror/..") +
                  " は転送先フォルダの外を指すため、コピーしませんでした。"});
}

TEST_F(JobRunnersTest, AShareOutOfReachEndsTheRunAndTheTickRunsAgain) {
    settings().SynchroDirectory = "//nas/backup/pc1";
    w.shares.answer = MountResult::kUnreachable;

    RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);

    EXPECT_TRUE(w.copyRunner.sources.empty());
    EXPECT_EQ(w.shares.mounts, (std::vector<std::string>{"//nas/backup"}));
    // Only the connection's own clearing of an old one: nothing to disconnect after the run.
    EXPECT_EQ(w.shares.unmounts, (std::vector<std::string>{"//nas/backup"}));
    EXPECT_EQ(w.timers.running.count(kTimerTick), 1u);
    EXPECT_TRUE(w.frame().state().driveUnit.Armed);
}

TEST_F(JobRunnersTest, AConnectedShareIsDisconnectedAfterTheRun) {
    settings().SynchroDirectory = "//nas/backup/pc1";
    settings().SyncNoCDCopy = 1;
    for (const MountResult found : {MountResult::kMounted, MountResult::kAlreadyMounted}) {
        w.shares.answer = found;
        w.shares.unmounts.clear();
        RunDriveUnit(w.frame(), settings(), RunOrigin::Timer);
        // Cleared before the connection, disconnected after the run.
        EXPECT_EQ(w.shares.unmounts, (std::vector<std::string>{"//nas/backup", "//nas/backup"}));
    }
}

}  // namespace
}  // namespace tv::test
