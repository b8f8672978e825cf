// The frame against fakes of the desktop: start-up, the tray menu, the settings dialog, the
// settings report, the exit and the tear-down.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "schedule/schedule_list.h"
#include "settings/settings_dump.h"
#include "settings/stored_units.h"
#include "tests/controller/frame_world.h"

namespace tv::test {
namespace {

const std::vector<TrayMenuItem> kFixedItems = {
    {kCommandExit, "アプリケーションの終了(&X)"},
    {kCommandSettings, "設定(&C)"},
    {kCommandSettingsReport, "Tessaravine設定内容を出力(&S)"},
};

bool IsEmptyFile(const std::string& path) {
    FileStatus status;
    return GetFileStatus(path, &status) && status.size == 0;
}

TEST(ControllerStartUp, AddsTheIconThenTimersAndTipForTheStoredSettings) {
    FrameWorld w;
    w.world.AddDrive('C', kDriveFixed);
    w.StoreSettings([](SettingsRecord& s) {
        s.Synchronize = 1;
        s.SyncInterval = DateTime::FromTime(2, 0);
        s.MirrorInterval = DateTime::FromTime(1, 30);
        s.USBCheck = 1;
        s.USBCheckInterval = 3;
    });
    MainFrame& frame = w.Start();

    EXPECT_TRUE(w.dialog.timersAtOpen.empty());
    EXPECT_EQ(w.timers.running, (std::map<int, unsigned>{{2, 10000}, {3, 3000}, {4, 1}}));
    EXPECT_EQ(w.tray.tips,
              (std::vector<std::string>{
                  "Tessaravine", "Tessaravine 次回Sync 09:35\n               次回Mirror 11:00"}));
    EXPECT_EQ(frame.nextDriveUnitTime().Format("%Y/%m/%d %H:%M"), "2005/07/31 09:35");

    // The notification timer fires once.
    frame.OnTimer(kTimerMediaNotify);
    EXPECT_EQ(w.timers.running.count(kTimerMediaNotify), 0u);
}

TEST(ControllerStartUp, MediaPollTimerFollowsTheSettings) {
    struct Case {
        int usbCheck;
        int interval;
        std::optional<unsigned> period;
    };
    const Case cases[] = {{1, 3, 3000u},
                          {0, 3, std::nullopt},
                          {1, 0, std::nullopt},
                          {1, -5, std::nullopt},
                          {1, 0x7FFFFFFF, 0x7FFFFFFFu}};
    for (const Case& c : cases) {
        FrameWorld w;
        w.StoreSettings([&c](SettingsRecord& s) {
            s.USBCheck = c.usbCheck;
            s.USBCheckInterval = c.interval;
        });
        w.Start();
        const auto found = w.timers.running.find(kTimerMediaPoll);
        const std::optional<unsigned> period =
            found == w.timers.running.end() ? std::nullopt : std::optional(found->second);
        EXPECT_EQ(period, c.period) << c.usbCheck << " " << c.interval;
    }
}

TEST(ControllerStartUp, ChangedDrivesOpenTheSettingsDialogBeforeTheFirstTick) {
    struct Case {
        const char* name;
        bool storeFirst;
        bool addDriveAfterStoring;
        bool opens;
    };
    const Case cases[] = {{"same drives", true, false, false},
                          {"new drive letter", true, true, true},
                          {"first start", false, false, true}};
    for (const Case& c : cases) {
        FrameWorld w;
        w.world.AddDrive('C', kDriveFixed);
        if (c.storeFirst) w.StoreSettings();
        if (c.addDriveAfterStoring) w.world.AddDrive('F', kDriveRemovable);
        w.Start();
        ASSERT_EQ(w.dialog.timersAtOpen.size(), c.opens ? 1u : 0u) << c.name;
        if (c.opens) {
            EXPECT_TRUE(w.dialog.timersAtOpen[0].empty()) << c.name;
        }
        EXPECT_EQ(w.timers.running.count(kTimerTick), 1u) << c.name;
    }
}

TEST(ControllerStartUp, MissingLogIndexWithoutFlatLogLeavesBothEmpty) {
    FrameWorld w;
    w.Start();
    EXPECT_TRUE(IsEmptyFile(JoinPath(w.world.programDir(), "log.txt")));
    EXPECT_TRUE(IsEmptyFile(JoinPath(w.world.programDir(), "log.idx")));
}

TEST(ControllerStartUp, WithoutNotificationAreaTheFrameRunsAndDeletesNoIcon) {
    FrameWorld w;
    w.tray.available = false;
    MainFrame& frame = w.Start();
    EXPECT_FALSE(frame.iconAdded());
    EXPECT_TRUE(w.tray.tips.empty());
    EXPECT_EQ(w.timers.running.count(kTimerTick), 1u);
    frame.TearDown();
    EXPECT_EQ(w.tray.deletions, 0);
    EXPECT_TRUE(w.timers.running.empty());
}

TEST(ControllerTrayMenu, OneMirrorItemPerRemovableDriveInUseAfterTheFixedItems) {
    FrameWorld w;
    w.world.AddDrive('C', kDriveFixed);
    w.world.AddDrive('E', kDriveRemovable, 0x1234abcd, "SDCARD");
    w.world.AddDrive('F', kDriveRemovable);
    w.StoreSettings([](SettingsRecord& s) {
        s.Drives['E' - 'A'].Work = DriveWork::AutoBackup;
        s.Drives['E' - 'A'].Name = "an old name";
        s.Drives['F' - 'A'].Work = DriveWork::NoBackup;
    });
    MainFrame& frame = w.Start();

    w.tray.OpenMenu();
    std::vector<TrayMenuItem> expected = kFixedItems;
    expected.push_back({kCommandMirrorFirst + 4, "SDCARD (E:)をミラーリング"});
    ASSERT_EQ(w.tray.menus.size(), 1u);
    EXPECT_EQ(w.tray.menus[0], expected);

    // A manual backup drive is offered too, a drive that is no longer removable is not.
    frame.settings().Drives['F' - 'A'].Work = DriveWork::ManualBackup;
    w.world.drives().Unpin('E');
    w.world.AddDrive('E', kDriveFixed);
    w.tray.OpenMenu();
    expected = kFixedItems;
    expected.push_back({kCommandMirrorFirst + 5, "リムーバブル ディスク (F:)をミラーリング"});
    ASSERT_EQ(w.tray.menus.size(), 2u);
    EXPECT_EQ(w.tray.menus[1], expected);
}

// The desktop shows the menu whenever the user asks, over the dialog or a run's window too: its
// items come disabled, and a choice from a menu shown before the frame became busy does nothing
// (an exit then would close the frame under the open dialog or run).
TEST(ControllerTrayMenu, MenuAndDialogAreKeptOutWhileBusy) {
    void (FrameMode::*const holds[])() = {&FrameMode::OpenDialog, &FrameMode::BeginRun,
                                          &FrameMode::BeginClosing};
    for (void (FrameMode::*hold)() : holds) {
        FrameWorld w;
        w.StoreSettings();
        MainFrame& frame = w.Start();
        (frame.state().mode.*hold)();
        w.tray.choice = kCommandSettings;
        w.tray.OpenMenu();
        frame.OnTrayEvent(TrayEvent::LeftButtonUp);
        frame.OnTrayEvent(TrayEvent::LeftDoubleClick);
        for (const int id : {kCommandSettings, kCommandExit, kCommandSettingsReport}) {
            w.tray.Choose(id);
        }
        ASSERT_EQ(w.tray.menus.size(), 1u);
        EXPECT_EQ(w.tray.menus[0].size(), kFixedItems.size());
        EXPECT_TRUE(NoneEnabled(w.tray.menus[0]));
        EXPECT_TRUE(w.dialog.timersAtOpen.empty());
        EXPECT_TRUE(w.prompts.asked().empty());
        EXPECT_FALSE(PathExists(JoinPath(w.world.programDir(), kSettingsDumpFileName)));
    }
}

// A click, as a notification area that only reports the icon's activation sends it, opens the
// settings as the double-click does; the menu is the desktop's alone.
TEST(ControllerTrayMenu, AClickAndADoubleClickOpenTheSettings) {
    const TrayEvent events[] = {TrayEvent::LeftButtonUp, TrayEvent::LeftDoubleClick};
    for (const TrayEvent event : events) {
        FrameWorld w;
        w.StoreSettings();
        MainFrame& frame = w.Start();
        frame.OnTrayEvent(event);
        EXPECT_EQ(w.dialog.timersAtOpen.size(), 1u) << static_cast<int>(event);
        EXPECT_TRUE(w.tray.menus.empty()) << static_cast<int>(event);
        EXPECT_FALSE(frame.state().mode.dialogOpen()) << static_cast<int>(event);
    }
}

TEST(ControllerTrayMenu, ChosenCommandsReachTheirHandlers) {
    FrameWorld w;
    w.StoreSettings();
    w.Start();
    w.tray.choice = kCommandSettings;
    // The menu shown over the open dialog is disabled, and enabled again once it has closed.
    w.dialog.whileOpen = [&w] { w.tray.OpenMenu(); };
    w.tray.OpenMenu();
    EXPECT_EQ(w.dialog.timersAtOpen.size(), 1u);
    ASSERT_EQ(w.tray.menus.size(), 2u);
    EXPECT_TRUE(NoneEnabled(w.tray.menus[1]));
    w.dialog.whileOpen = nullptr;

    w.tray.choice = kCommandSettingsReport;
    w.tray.OpenMenu();
    EXPECT_EQ(w.tray.menus.back(), kFixedItems);
    FileStatus status;
    EXPECT_TRUE(GetFileStatus(JoinPath(w.world.programDir(), kSettingsDumpFileName), &status));
    EXPECT_GT(status.size, 0u);

    w.tray.choice = kCommandExit;
    w.prompts.Expect("Tessaravineを終了します\n終了してもよろしいでしょうか？", "確認",
                     kMbYesNo | kMbIconQuestion, kIdNo);
    w.tray.OpenMenu();
}

struct EndCodeCase {
    const char* name;
    int endCode;
    bool saved;
    bool runFlagsCleared;
    bool nextTimesRecomputed;
};

TEST(ControllerSettingsDialog, EndCodeDecidesWhatIsSavedAndRecomputed) {
    const EndCodeCase cases[] = {
        {"apply", kSettingsApply, true, false, true},
        {"cancel", kSettingsCancel, false, false, false},
    };
    for (const EndCodeCase& c : cases) {
        FrameWorld w;
        w.StoreSettings([](SettingsRecord& s) {
            s.USBCheck = 1;
            s.USBCheckInterval = 1;
            s.MirrorInterval = DateTime::FromTime(1, 30);
        });
        MainFrame& frame = w.Start();
        frame.state().mode.NoteRunOrigin(RunOrigin::Schedule);
        w.clock.SetLocal(2005, 7, 31, 9, 40, 0);  // the first drive-unit time has passed
        const DateTime nextDriveUnit = frame.nextDriveUnitTime();
        const DateTime nextFileDir = frame.nextFileDirTime();
        w.dialog.endCode = c.endCode;
        w.dialog.edit = [](SettingsRecord& s) {
            s.USBCheck = 0;
            s.Synchronize = 1;
        };
        const ScheduleEntry added = ScheduleEntry::New(w.Context());
        w.dialog.editSchedules = [&added](ScheduleList& list) { list.Append(added); };
        const size_t tipsBefore = w.tray.tips.size();

        frame.OnTrayEvent(TrayEvent::LeftDoubleClick);

        EXPECT_EQ(w.StoredSettings().USBCheck, c.saved ? 0 : 1) << c.name;
        ScheduleList stored(w.world.programDir());
        EXPECT_EQ(stored.Load(w.Context()), c.saved) << c.name;
        EXPECT_EQ(stored.Count(), c.saved ? 1u : 0u) << c.name;
        EXPECT_EQ(w.timers.running.count(kTimerMediaPoll), c.saved ? 0u : 1u) << c.name;
        EXPECT_EQ(frame.state().mode.unattended(), !c.runFlagsCleared) << c.name;
        EXPECT_EQ(frame.state().mode.scheduled(), !c.runFlagsCleared) << c.name;
        EXPECT_FALSE(frame.state().mode.dialogOpen()) << c.name;
        EXPECT_EQ(w.tray.tips.size(), tipsBefore + 1) << c.name;
        if (c.nextTimesRecomputed) {
            EXPECT_EQ(frame.nextDriveUnitTime().Format("%H:%M"), "09:45") << c.name;
        } else {
            EXPECT_EQ(frame.nextDriveUnitTime(), nextDriveUnit) << c.name;
        }
        // The file/directory time lies ahead and stays.
        EXPECT_EQ(frame.nextFileDirTime(), nextFileDir) << c.name;
    }
}

// The dialog's start buttons save the settings and start their run by hand at once.
TEST(ControllerSettingsDialog, StartButtonsRunTheirUnitByHand) {
    FrameWorld w;
    w.world.AddDrive('C', kDriveFixed, 0xABCu);
    const std::string backup = w.world.AddDrive('D', kDriveFixed, 0xDEFu);
    const std::string documents = w.world.MakeFolder("documents");
    w.StoreSettings([&](SettingsRecord& s) {
        s.SynchroDirectory = JoinPath(backup, "sync");
        s.Directry2 = JoinPath(backup, "mirror");
        s.FileList = {documents};
    });
    MainFrame& frame = w.Start();
    frame.state().mode.NoteRunOrigin(RunOrigin::Timer);

    w.dialog.endCode = kSettingsRunDriveUnit;
    frame.OnTrayEvent(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(w.copyRunner.sources, std::vector<std::string>{w.world.root('C')});
    EXPECT_EQ(w.copyRunner.logFields.at(0).mode, "手動");
    EXPECT_FALSE(frame.state().mode.unattended());

    w.dialog.endCode = kSettingsRunFileDir;
    w.prompts.Expect("バックアップします。", "確認", kMbOkCancel | kMbIconQuestion, kIdOk);
    frame.OnTrayEvent(TrayEvent::LeftDoubleClick);
    EXPECT_EQ(w.copyRunner.sources, (std::vector<std::string>{w.world.root('C'), documents}));
    EXPECT_FALSE(frame.state().mode.running());
    EXPECT_EQ(w.timers.running.count(kTimerTick), 1u);
}

TEST(ControllerSettingsDialog, IsOpenWhileItRuns) {
    FrameWorld w;
    w.StoreSettings();
    MainFrame& frame = w.Start();
    bool openDuringRun = false;
    w.dialog.edit = [&](SettingsRecord&) {
        openDuringRun = frame.state().mode.dialogOpen();
        // A second opening from inside the dialog is refused.
        frame.OpenSettingsDialog();
    };
    frame.OpenSettingsDialog();
    EXPECT_TRUE(openDuringRun);
    EXPECT_EQ(w.dialog.timersAtOpen.size(), 1u);
}

class ControllerExit : public ::testing::Test {
  protected:
    void SetUp() override {
        w.StoreSettings([](SettingsRecord& s) { s.BeforeLogDate = DateOfDayCount(30); });
        for (const char* day : kDays) {
            ASSERT_TRUE(WriteFileAtomically(DayFile(day), "x\r\n"));
        }
        w.Start();
    }
    std::string DayFile(const std::string& day) const {
        return JoinPath(JoinPath(w.world.programDir(), "Log"), day + ".txt");
    }
    bool Exists(const std::string& day) const { return PathExists(DayFile(day)); }
    void ExpectQuestion(int answer) {
        w.prompts.Expect("Tessaravineを終了します\n終了してもよろしいでしょうか？", "確認",
                         kMbYesNo | kMbIconQuestion, answer);
    }

    static constexpr const char* kDays[] = {"20050531", "20050630", "20050701", "20050731"};
    FrameWorld w;
};

TEST_F(ControllerExit, NoLeavesEverythingRunning) {
    ExpectQuestion(kIdNo);
    w.frame().OnCommand(kCommandExit);
    EXPECT_FALSE(w.frame().state().mode.closing());
    EXPECT_EQ(w.timers.running.size(), 3u);
    EXPECT_TRUE(w.tray.present);
    EXPECT_EQ(w.closes, 0);
    for (const char* day : kDays) EXPECT_TRUE(Exists(day)) << day;
}

TEST_F(ControllerExit, YesPurgesOldDayFilesAndClosesTheFrame) {
    ExpectQuestion(kIdYes);
    w.frame().OnCommand(kCommandExit);
    EXPECT_FALSE(Exists("20050531"));
    EXPECT_FALSE(Exists("20050630"));
    EXPECT_TRUE(Exists("20050701"));
    EXPECT_TRUE(Exists("20050731"));
    EXPECT_FALSE(w.frame().state().mode.closing());
    EXPECT_TRUE(w.timers.running.empty());
    EXPECT_FALSE(w.tray.present);
    EXPECT_EQ(w.closes, 1);
}

TEST_F(ControllerExit, NothingIsAskedWhileACopyRunsOrTheExitIsBeingConfirmed) {
    w.frame().state().mode.BeginRun();
    w.frame().OnCommand(kCommandExit);
    w.frame().state().mode.EndRun();
    w.frame().state().mode.BeginClosing();
    w.frame().OnClose();
    EXPECT_TRUE(w.prompts.asked().empty());
    EXPECT_EQ(w.closes, 0);
}

TEST(ControllerIdle, MissingFunctionMeansABusyUser) {
    FakeIdle activeUser(false);
    FakeIdle idleUser(true);
    struct Case {
        const char* name;
        IdleGate* idle;
        bool expected;
    };
    const Case cases[] = {{"no library", nullptr, false},
                          {"active user", &activeUser, false},
                          {"idle user", &idleUser, true}};
    for (const Case& c : cases) {
        FrameWorld w;
        w.idle = c.idle;
        EXPECT_EQ(w.Start().IsIdle(), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tv::test
