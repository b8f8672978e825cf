// The ten-second tick on a frame with a fake clock: a story of ticks every ten seconds, with copy
// runs that take their time inside the (fake) progress window, tells when interval runs start,
// how a busy user moves them on, how the drive unit's next time catches up with the clock, and
// how due schedules run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "schedule/schedule_list.h"
#include "tests/controller/frame_world.h"

namespace tv::test {
namespace {

std::string HourMinute(const DateTime& time) { return time.Format("%H:%M"); }

class TickTest : public ::testing::Test {
  protected:
    TickTest() {
        w.world.AddDrive('C', kDriveFixed, 0x1111AAAA);
        backupDrive = w.world.AddDrive('D', kDriveFixed, 0x4444DDDD);
        w.clock.SetLocal(2005, 8, 1, 9, 30, 0);  // a Monday
        // Every copy run takes two minutes of the clock and notes when it started.
        w.copyRunner.insideWindow = [this] {
            starts.push_back(Now().Format("%H:%M:%S"));
            w.clock.Advance(runSeconds);
        };
    }

    DateTime Now() const { return w.clock.NowDateTime(); }

    // Ten seconds on, and the tick when the frame's timer runs.
    void Tick() {
        w.clock.Advance(10);
        if (w.timers.running.count(kTimerTick)) w.frame().OnTimer(kTimerTick);
    }
    void LiveFor(int minutes) {
        for (int ticks = 0; ticks < minutes * 6; ++ticks) Tick();
    }
    void LiveUntil(int hour, int minute, int second = 0) {
        while (Now().Hour() != hour || Now().Minute() != minute || Now().Second() != second) Tick();
    }

    void StartWithDriveUnit(int intervalMinutes) {
        w.StoreSettings([&](SettingsRecord& s) {
            s.Synchronize = 1;
            s.SyncInterval = DateTime::FromTime(intervalMinutes / 60, intervalMinutes % 60);
            s.SynchroDirectory = JoinPath(backupDrive, "sync");
            s.MirrorInterval = DateTime::FromTime(0, 0);
        });
        w.Start();
    }

    FrameWorld w;
    FakeIdle idleUser{true};
    FakeIdle busyUser{false};
    std::string backupDrive;
    std::vector<std::string> starts;
    int runSeconds = 120;
};

TEST_F(TickTest, ADriveUnitWithoutIntervalRunsOnceFiveMinutesAfterStartUp) {
    w.idle = &idleUser;
    StartWithDriveUnit(0);
    LiveFor(180);
    EXPECT_EQ(starts, (std::vector<std::string>{"09:35:00"}));
}

TEST_F(TickTest, ADriveUnitRunsAtStartUpTwiceFiveMinutesApartThenByItsInterval) {
    w.idle = &idleUser;
    StartWithDriveUnit(120);
    LiveFor(5 * 60);
    // 09:35 ends 09:37, so the second run is due 09:42; it ends 09:44, and from then on the
    // interval of two hours applies.
    EXPECT_EQ(starts, (std::vector<std::string>{"09:35:00", "09:42:00", "11:44:00", "13:46:00"}));
    EXPECT_EQ(w.copyRunner.logFields[0].mode, "自動");
    EXPECT_TRUE(w.frame().state().driveUnit.Armed);
}

class BusyUserTest : public TickTest {
  protected:
    void StartWithFileDirUnit(int noIdleMirror) {
        w.StoreSettings([&](SettingsRecord& s) {
            s.MirrorInterval = DateTime::FromTime(1, 30);
            s.NoIdleMirror = noIdleMirror;
            s.NoIdleTime = 5;
            s.Directry2 = JoinPath(backupDrive, "mirror");
            s.FileList = {w.world.root('C')};
        });
        w.Start();
    }
};

// The next file/directory time after each of the due minutes the user was busy at.
TEST_F(BusyUserTest, WithTheIdleWaitOnARunDueWhileTheUserIsBusyMovesByFiveMinutes) {
    w.idle = &busyUser;
    StartWithFileDirUnit(1);
    std::vector<std::string> nextTimes;
    for (const int minute : {0, 5, 10}) {
        LiveUntil(11, minute);
        nextTimes.push_back(HourMinute(w.frame().nextFileDirTime()));
    }
    EXPECT_EQ(nextTimes, (std::vector<std::string>{"11:05", "11:10", "11:15"}));
    EXPECT_TRUE(starts.empty());
}

TEST_F(BusyUserTest, WithoutTheIdleWaitARunDueWhileTheUserIsBusyMovesByItsInterval) {
    w.idle = &busyUser;
    StartWithFileDirUnit(0);
    LiveUntil(11, 0);
    EXPECT_EQ(HourMinute(w.frame().nextFileDirTime()), "12:30");
    LiveUntil(12, 30);
    EXPECT_EQ(HourMinute(w.frame().nextFileDirTime()), "14:00");
    EXPECT_TRUE(starts.empty());
}

TEST_F(BusyUserTest, WithoutTheIdleLibraryTheTipShowsLaterAndLaterTimesAndNothingRuns) {
    StartWithFileDirUnit(1);
    LiveFor(100);
    std::vector<std::string> mirrorTimes;
    for (const std::string& tip : w.tray.tips) {
        const size_t at = tip.find("次回Mirror ");
        if (at == std::string::npos) continue;
        const std::string shown = tip.substr(at + 13, 5);
        if (mirrorTimes.empty() || mirrorTimes.back() != shown) mirrorTimes.push_back(shown);
    }
    EXPECT_EQ(mirrorTimes, (std::vector<std::string>{"11:00", "11:05", "11:10", "11:15"}));
    EXPECT_TRUE(starts.empty());
}

TEST_F(BusyUserTest, AnIdleUserAtTheDueMinuteGetsTheRunAndTheNextOneAnIntervalAfterItsEnd) {
    w.idle = &idleUser;
    StartWithFileDirUnit(1);
    LiveFor(100);
    EXPECT_EQ(starts, (std::vector<std::string>{"11:00:00"}));
    EXPECT_EQ(HourMinute(w.frame().nextFileDirTime()), "12:32");
    EXPECT_EQ(w.copyRunner.logFields[0].mode, "自動");
}

// The drive unit is off here; only the catch-up moves its next time.
TEST_F(TickTest, TheDriveUnitsNextTimeIsPushedOnUntilTheClockHasPassedMidnightToo) {
    w.clock.SetLocal(2005, 8, 1, 23, 50, 0);
    w.StoreSettings();
    w.Start();
    struct Moment {
        int hour, minute, second;
        const char* next;
    };
    const Moment story[] = {
        {23, 54, 50, "23:55:00"},  // not passed yet
        {23, 56, 0, "00:01:00"},   // passed: five minutes from now
        {23, 59, 50, "00:04:50"},  // 00:04 reads as earlier than 23:59, so pushed every minute
        {0, 4, 50, "00:04:50"},    // after midnight it waits
        {0, 5, 0, "00:10:00"},     // and is passed again
    };
    for (const Moment& m : story) {
        LiveUntil(m.hour, m.minute, m.second);
        EXPECT_EQ(w.frame().nextDriveUnitTime().Format("%H:%M:%S"), m.next)
            << m.hour << ":" << m.minute << ":" << m.second;
    }
}

class ScheduleTickTest : public TickTest {
  protected:
    ScheduleTickTest() {
        w.world.AddDrive('E', kDriveFixed, 0x2222BBBB);
        w.StoreSettings([this](SettingsRecord& s) {
            s.Directry2 = JoinPath(backupDrive, "live");
            s.MirrorInterval = DateTime::FromTime(0, 0);
        });
    }

    // An entry at 10:00 on every weekday that backs up one folder of C: into its own folder.
    ScheduleEntry FolderEntry(const std::string& name, RepeatPattern pattern) {
        ScheduleEntry entry = ScheduleEntry::New(w.Context());
        entry.Name = name;
        entry.Pattern = pattern;
        entry.StartTime = DateTime::FromTime(10, 0);
        entry.Settings.Synchronize = 0;
        entry.Settings.Directry2 = JoinPath(backupDrive, name);
        const std::string folder = JoinPath(w.world.root('C'), name);
        CreateFolder(folder);
        entry.Settings.FileList = {folder};
        return entry;
    }

    void StoreSchedules(const std::vector<ScheduleEntry>& entries) {
        ScheduleList list(w.world.programDir());
        for (const ScheduleEntry& entry : entries) list.Append(entry);
        ASSERT_TRUE(list.Save());
    }

    size_t StoredScheduleCount() {
        ScheduleList stored(w.world.programDir());
        EXPECT_TRUE(stored.Load(w.Context()));
        return stored.Count();
    }

    std::vector<std::string> Destinations() const {
        std::vector<std::string> destinations;
        for (const CopyJob& job : w.copyRunner.jobs) destinations.push_back(job.Destination);
        return destinations;
    }
};

TEST_F(ScheduleTickTest, SchedulesDueInOneMinuteRunInListOrderOneAfterTheOther) {
    StoreSchedules(
        {FolderEntry("first", RepeatPattern::Weekly), FolderEntry("second", RepeatPattern::Once)});
    w.Start();
    int runsInProgress = 0;
    w.copyRunner.insideWindow = [&] {
        starts.push_back(Now().Format("%H:%M:%S"));
        EXPECT_EQ(++runsInProgress, 1);
        EXPECT_TRUE(w.frame().state().mode.scheduled() && w.frame().state().mode.unattended());
        w.clock.Advance(runSeconds);
        --runsInProgress;
    };
    LiveUntil(10, 10);

    EXPECT_EQ(Destinations(), (std::vector<std::string>{JoinPath(backupDrive, "first/first"),
                                                        JoinPath(backupDrive, "second/second")}));
    EXPECT_EQ(starts, (std::vector<std::string>{"10:00:00", "10:02:00"}));
    // The entry meant to run once is gone, and the next save no longer writes it.
    ASSERT_EQ(w.frame().schedules().Count(), 1u);
    EXPECT_TRUE(w.frame().schedules().At(0).HasRun);
    EXPECT_EQ(StoredScheduleCount(), 2u);
    w.dialog.endCode = kSettingsApply;
    w.frame().OpenSettingsDialog();
    EXPECT_EQ(StoredScheduleCount(), 1u);
    // Later that day nothing fires again.
    LiveFor(12 * 60);
    EXPECT_EQ(starts.size(), 2u);
}

TEST_F(ScheduleTickTest, AScheduleDueDuringAnotherRunStartsNothingYetCountsAsRun) {
    StoreSchedules({FolderEntry("once", RepeatPattern::Once)});
    w.Start();
    w.frame().state().mode.BeginRun();  // a removable run leaves the tick going
    LiveUntil(10, 1);
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ(w.frame().schedules().Count(), 0u);
}

TEST_F(ScheduleTickTest, ARestartWithinTheStartMinuteLetsAScheduleFireAgain) {
    StoreSchedules({FolderEntry("weekly", RepeatPattern::Weekly)});
    runSeconds = 0;
    w.clock.SetLocal(2005, 8, 1, 9, 59, 50);
    w.Start();
    Tick();
    Tick();
    w.Start();  // the program started anew at 10:00:10
    Tick();
    Tick();
    EXPECT_EQ(starts, (std::vector<std::string>{"10:00:00", "10:00:20"}));
}

TEST_F(ScheduleTickTest, AScheduledRunUsesItsOwnRecordButTheLiveDestinationForWholeDrives) {
    ScheduleEntry entry = FolderEntry("own", RepeatPattern::Weekly);
    entry.Settings.Drives[2].Work = DriveWork::UnitSource;  // C:
    StoreSchedules({entry});
    w.Start();
    const DateTime nextFileDir = w.frame().nextFileDirTime();
    LiveUntil(10, 5);

    EXPECT_EQ(Destinations(), (std::vector<std::string>{JoinPath(backupDrive, "own/own"),
                                                        JoinPath(backupDrive, "live/1111aaaa")}));
    for (const LogRecord& log : w.copyRunner.logFields) EXPECT_EQ(log.mode, "自動");
    EXPECT_EQ(w.frame().nextFileDirTime(), nextFileDir);
}

}  // namespace
}  // namespace tv::test
