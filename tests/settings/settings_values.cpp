#include "tests/settings/settings_values.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/paths.h"

namespace tv::test {

SettingsRecord DistinctSettings(const std::string& folder) {
    SettingsRecord r;
    r.ValidDrive = 0x0300001D;
    r.LastDrive = 'Y';
    r.HardDiskNumber = 101;
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const std::string letter(1, DriveLetterAt(index));
        DriveEntry& drive = r.Drives[index];
        drive.Name = "ドライブ " + letter;
        drive.Kind = 200 + index;
        drive.Work = static_cast<DriveWork>(300 + index);
        drive.BackupDir = JoinPath(folder, "backup " + letter);
    }
    r.Synchronize = 102;
    r.SyncNoCDCopy = 103;
    r.SynchroDirectory = JoinPath(folder, "同期先");
    r.SyncInterval = DateTime::FromParts(1899, 12, 30, 1, 30);
    r.SyncLoadControl = 7;
    r.SyncChacheSize = 5;
    r.SyncForceMirror = 104;
    r.SyncForceOverWrite = 105;
    r.SyncCheckSize = 106;
    r.SyncFullBackup = 107;
    r.SyncFullBackupCount = 108;
    r.SyncNoExcExt = 109;
    r.Directry2 = JoinPath(folder, "directory two");
    r.MirrorInterval = DateTime::FromParts(1899, 12, 30, 23, 59);
    r.MirrorLoadControl = 10;
    r.MirrorChacheSize = 7;
    r.ForceMirror2 = 110;
    r.ForceOverWrite2 = 111;
    r.CheckSizeDrive = 112;
    r.HDBackupDrive = 113;
    r.PCcardAuto = 114;
    r.RemLoadControl = 0;
    r.RemChacheSize = 0;
    r.ForceMirror1 = 115;
    r.ForceOverWrite1 = 116;
    r.CheckSizeFolder = 117;
    r.User1 = "user one";
    r.Pass1 = "pass one";
    r.User2 = "ユーザー2";
    r.Pass2 = "pass two";
    r.Sound = 118;
    r.Navigation = 119;
    r.IgnorTime = 120;
    r.ExceptSubFolder = 121;
    r.ExceptDateFlag = 122;
    r.ExceptDate = DateTime::FromParts(2005, 7, 1);
    r.ExceptReadOnlyFile = 123;
    r.ExceptHiddenFile = 124;
    r.ExtFolder = 125;
    r.ExecuteType = 126;
    r.DateFolder = 127;
    r.NoIdleTime = 128;
    r.NoIdleSync = 129;
    r.NoIdleMirror = 130;
    r.USBCheck = 131;
    r.USBCheckInterval = 132;
    r.BeforeLogDate = DateTime::FromParts(2000, 1, 7);
    r.IdleCheck = 133;
    r.UseDustBox = 134;
    r.FileList = {JoinPath(folder, "file a"), JoinPath(folder, "フォルダ b")};
    r.ExceptList = {JoinPath(folder, "except")};
    r.ExtList = {"tmp", "bak"};
    r.IncExtList = {"doc"};
    return r;
}

std::string DateText(const DateTime& value) {
    if (!value.IsValid()) return "unset";
    char text[32];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d", value.Year(), value.Month(),
                  value.Day(), value.Hour(), value.Minute(), value.Second());
    return text;
}

#define EXPECT_SAME(field) EXPECT_EQ(expected.field, actual.field) << #field
#define EXPECT_SAME_DATE(field) \
    EXPECT_EQ(DateText(expected.field), DateText(actual.field)) << #field

void ExpectSameSettings(const SettingsRecord& expected, const SettingsRecord& actual) {
    EXPECT_SAME(ValidDrive);
    EXPECT_SAME(LastDrive);
    EXPECT_SAME(HardDiskNumber);
    for (int index = 0; index < kDriveLetterCount; ++index) {
        SCOPED_TRACE(std::string("drive ") + DriveLetterAt(index));
        EXPECT_SAME(Drives[index].Name);
        EXPECT_SAME(Drives[index].Kind);
        EXPECT_EQ(static_cast<int>(expected.Drives[index].Work),
                  static_cast<int>(actual.Drives[index].Work))
            << "Work";
        EXPECT_SAME(Drives[index].BackupDir);
    }
    EXPECT_SAME(Synchronize);
    EXPECT_SAME(SyncNoCDCopy);
    EXPECT_SAME(SynchroDirectory);
    EXPECT_SAME_DATE(SyncInterval);
    EXPECT_SAME(SyncLoadControl);
    EXPECT_SAME(SyncChacheSize);
    EXPECT_SAME(SyncForceMirror);
    EXPECT_SAME(SyncForceOverWrite);
    EXPECT_SAME(SyncCheckSize);
    EXPECT_SAME(SyncFullBackup);
    EXPECT_SAME(SyncFullBackupCount);
    EXPECT_SAME(SyncNoExcExt);
    EXPECT_SAME(Directry2);
    EXPECT_SAME_DATE(MirrorInterval);
    EXPECT_SAME(MirrorLoadControl);
    EXPECT_SAME(MirrorChacheSize);
    EXPECT_SAME(ForceMirror2);
    EXPECT_SAME(ForceOverWrite2);
    EXPECT_SAME(CheckSizeDrive);
    EXPECT_SAME(HDBackupDrive);
    EXPECT_SAME(PCcardAuto);
    EXPECT_SAME(RemLoadControl);
    EXPECT_SAME(RemChacheSize);
    EXPECT_SAME(ForceMirror1);
    EXPECT_SAME(ForceOverWrite1);
    EXPECT_SAME(CheckSizeFolder);
    EXPECT_SAME(User1);
    EXPECT_SAME(Pass1);
    EXPECT_SAME(User2);
    EXPECT_SAME(Pass2);
    EXPECT_SAME(Sound);
    EXPECT_SAME(Navigation);
    EXPECT_SAME(IgnorTime);
    EXPECT_SAME(ExceptSubFolder);
    EXPECT_SAME(ExceptDateFlag);
    EXPECT_SAME_DATE(ExceptDate);
    EXPECT_SAME(ExceptReadOnlyFile);
    EXPECT_SAME(ExceptHiddenFile);
    EXPECT_SAME(ExtFolder);
    EXPECT_SAME(ExecuteType);
    EXPECT_SAME(DateFolder);
    EXPECT_SAME(NoIdleTime);
    EXPECT_SAME(NoIdleSync);
    EXPECT_SAME(NoIdleMirror);
    EXPECT_SAME(USBCheck);
    EXPECT_SAME(USBCheckInterval);
    EXPECT_SAME_DATE(BeforeLogDate);
    EXPECT_SAME(IdleCheck);
    EXPECT_SAME(UseDustBox);
    EXPECT_SAME(FileList);
    EXPECT_SAME(ExceptList);
    EXPECT_SAME(ExtList);
    EXPECT_SAME(IncExtList);
}

#undef EXPECT_SAME
#undef EXPECT_SAME_DATE

}  // namespace tv::test
