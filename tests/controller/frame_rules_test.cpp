// The frame's pure rules: the tip text, the next-run times and the log purge cutoff.
#include <gtest/gtest.h>

#include <string>

#include "controller/log_purge_cutoff.h"
#include "controller/next_run_times.h"
#include "controller/tray_tip.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

const DateTime kNoInterval = DateTime::FromTime(0, 0);
const DateTime kTwoHours = DateTime::FromTime(2, 0);
const DateTime kNinetyMinutes = DateTime::FromTime(1, 30);

struct TipCase {
    const char* name;
    int synchronize;
    bool armed;
    DateTime syncInterval;
    DateTime mirrorInterval;
    DateTime nextDriveUnit;
    DateTime nextFileDir;
    std::string expected;
};

TEST(ControllerTrayTip, TextForEachCombination) {
    const DateTime at0935 = DateTime::FromParts(2005, 7, 31, 9, 35);
    const DateTime at1100 = DateTime::FromParts(2005, 7, 31, 11, 0);
    const DateTime invalid = DateTime::Invalid();
    const TipCase cases[] = {
        {"no drive unit, no mirror interval", 0, false, kTwoHours, kNoInterval, at0935, at1100,
         "Tessaravine 次回Syncなし\n               次回Mirrorなし "},
        {"no drive unit, mirror interval", 0, true, kTwoHours, kNinetyMinutes, at0935, at1100,
         "Tessaravine 次回Syncなし\n               次回Mirror 11:00"},
        {"unarmed without interval still shows its first run", 1, false, kNoInterval, kNoInterval,
         at0935, at1100, "Tessaravine 次回Sync 09:35\n               次回Mirrorなし "},
        {"armed without interval shows no drive unit", 1, true, kNoInterval, kNinetyMinutes, at0935,
         at1100, "               次回Mirror 11:00"},
        {"armed with interval", 1, true, kTwoHours, kNinetyMinutes, at0935, at1100,
         "Tessaravine 次回Sync 09:35\n               次回Mirror 11:00"},
        {"invalid next times", 1, true, kTwoHours, kNinetyMinutes, invalid, invalid,
         "Tessaravine 次回Sync -1:-1\n               次回Mirror -1:-1"},
        {"an unset mirror interval is not 00:00", 0, false, kTwoHours, invalid, at0935, invalid,
         "Tessaravine 次回Syncなし\n               次回Mirror -1:-1"},
        {"an unset sync interval is not 00:00", 1, true, invalid, kNoInterval, at0935, at1100,
         "Tessaravine 次回Sync 09:35\n               次回Mirrorなし "},
    };
    for (const TipCase& c : cases) {
        SettingsRecord settings;
        settings.Synchronize = c.synchronize;
        settings.SyncInterval = c.syncInterval;
        settings.MirrorInterval = c.mirrorInterval;
        EXPECT_EQ(TrayTipText(settings, c.armed, c.nextDriveUnit, c.nextFileDir), c.expected)
            << c.name;
    }
}

TEST(ControllerTrayTip, CutToTheIconsCharacterLimitNeverInsideACharacter) {
    const std::string ascii127(127, 'a');
    EXPECT_EQ(FitTrayTip(ascii127), ascii127);
    EXPECT_EQ(FitTrayTip(ascii127 + "b"), ascii127);

    std::string japanese;
    for (int i = 0; i < 130; ++i) japanese += "次";  // three bytes each
    EXPECT_EQ(FitTrayTip(japanese), japanese.substr(0, 127 * 3));

    const std::string mixed = std::string(126, 'a') + "次回";
    EXPECT_EQ(FitTrayTip(mixed), std::string(126, 'a') + "次");
}

TEST(ControllerNextRunTimes, DriveUnitWaitsFiveMinutesUntilArmedThenItsInterval) {
    const DateTime now = DateTime::FromParts(2005, 7, 31, 23, 58);
    SettingsRecord settings;
    settings.SyncInterval = kTwoHours;
    EXPECT_EQ(NextDriveUnitTime(now, settings, false).Format("%Y/%m/%d %H:%M:%S"),
              "2005/08/01 00:03:00");
    EXPECT_EQ(NextDriveUnitTime(now, settings, true).Format("%Y/%m/%d %H:%M:%S"),
              "2005/08/01 01:58:00");
    // Each part of an unreadable interval counts as -1.
    settings.SyncInterval = DateTime::Invalid();
    EXPECT_EQ(NextDriveUnitTime(now, settings, true).Format("%H:%M:%S"), "22:56:59");
}

TEST(ControllerNextRunTimes, ABusyUserMovesTheDriveUnitByTheIdleWaitOnlyWhenItIsOn) {
    const DateTime now = DateTime::FromParts(2005, 7, 31, 9, 30);
    struct Case {
        int noIdleSync;
        bool armed;
        const char* next;
    };
    const Case cases[] = {
        {1, false, "09:37"}, {1, true, "09:37"}, {0, false, "09:35"}, {0, true, "11:30"}};
    for (const Case& c : cases) {
        SettingsRecord settings;
        settings.SyncInterval = kTwoHours;
        settings.NoIdleTime = 7;
        settings.NoIdleSync = c.noIdleSync;
        EXPECT_EQ(NextDriveUnitTime(now, settings, c.armed, Postponement::UserBusy).Format("%H:%M"),
                  c.next)
            << c.noIdleSync << " " << c.armed;
    }
}

TEST(ControllerNextRunTimes, FileDirWaitsOneIntervalFromStartUp) {
    const DateTime now = DateTime::FromParts(2005, 7, 31, 9, 30);
    SettingsRecord settings;
    settings.MirrorInterval = kNinetyMinutes;
    EXPECT_EQ(NextFileDirTime(now, settings).Format("%H:%M:%S"), "11:00:00");
    settings.MirrorInterval = kNoInterval;
    EXPECT_EQ(NextFileDirTime(now, settings).Format("%H:%M:%S"), "09:30:00");
}

TEST(ControllerLogPurge, CutoffIsTodayMinusTheKeptDays) {
    const DateTime july31 = DateTime::FromParts(2005, 7, 31, 9, 30);
    EXPECT_EQ(LogPurgeCutoff(july31, DateOfDayCount(30)), "2005/07/01");
    EXPECT_EQ(LogPurgeCutoff(july31, DateOfDayCount(31)), "2005/06/30");
    EXPECT_EQ(LogPurgeCutoff(DateTime::FromParts(2004, 3, 1), DateOfDayCount(1)), "2004/02/29");
    // Without a count nothing is purged, rather than today's file with the rest.
    EXPECT_EQ(LogPurgeCutoff(july31, DateTime::Invalid()), "");
    EXPECT_EQ(LogPurgeCutoff(DateTime::Invalid(), DateOfDayCount(30)), "");
}

}  // namespace
}  // namespace tv
