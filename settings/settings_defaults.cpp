#include "settings/settings_defaults.h"

#include "settings/current_drives.h"
#include "settings/int_settings.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

void ResetIntGroup(SettingsRecord& record, SettingsGroup group) {
    for (const IntSetting& setting : IntSettings()) {
        if (setting.group == group) record.*setting.field = setting.reset;
    }
}

bool IsUnitDriveType(int32_t type) { return type == kDriveFixed || type == kDriveCdRom; }

// 1899-12-30 00:00: the time 00:00 and the date the reset gives ExceptDate.
DateTime DayZero() { return DateTime::FromParts(1899, 12, 30); }

constexpr int32_t kLogDaysKept = 31;
constexpr int32_t kNoUsableDrive = -1;

}  // namespace

SettingsRecord DefaultSettings(const SettingsContext& context) {
    SettingsRecord record;
    ResetToDefaults(record, context);
    return record;
}

void ResetToDefaults(SettingsRecord& record, const SettingsContext& context) {
    record.ValidDrive = context.drives.LogicalDrives();
    record.LastDrive = CurrentLastDrive(context.drives);
    ResetDriveUnit(record, context);
    ResetFileDirUnit(record, context);
    ResetRemovable(record, context);
    ClearCredentials(record);
    ResetDetails(record);
}

void ResetDriveUnit(SettingsRecord& record, const SettingsContext& context) {
    ResetIntGroup(record, SettingsGroup::DriveUnit);
    record.SynchroDirectory = context.locations.documentsDir;
    record.SyncInterval = DayZero();
}

void ResetFileDirUnit(SettingsRecord& record, const SettingsContext& context) {
    ResetIntGroup(record, SettingsGroup::FileDirUnit);
    record.HardDiskNumber = 0;
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        const int32_t type = CurrentDriveType(context.drives, letter);
        if (!IsUnitDriveType(type)) continue;
        DriveEntry& drive = record.Drives[index];
        drive.Name = CurrentDisplayName(context.drives, letter);
        drive.Kind = type;
        drive.Work = DriveWork::NotSource;
        drive.BackupDir = DefaultBackupDir(context.locations.documentsDir, letter);
        if (type == kDriveFixed) ++record.HardDiskNumber;
    }
    record.FileList.clear();
    record.Directry2 = context.locations.documentsDir;
    record.MirrorInterval = DayZero();
}

void ResetRemovable(SettingsRecord& record, const SettingsContext& context) {
    ResetIntGroup(record, SettingsGroup::Removable);
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        const int32_t type = CurrentDriveType(context.drives, letter);
        if (IsUnitDriveType(type)) continue;
        DriveEntry& drive = record.Drives[index];
        if (type == kDriveRemovable) {
            drive.Name = CurrentDisplayName(context.drives, letter);
            drive.Kind = kDriveRemovable;
            drive.Work = DefaultRemovableWork(letter);
        } else {
            drive.Name.clear();
            drive.Kind = kNoUsableDrive;
            drive.Work = DriveWork::NoBackup;
        }
        drive.BackupDir = DefaultBackupDir(context.locations.documentsDir, letter);
    }
}

void ClearCredentials(SettingsRecord& record) {
    record.User1.clear();
    record.Pass1.clear();
    record.User2.clear();
    record.Pass2.clear();
}

void ResetDetails(SettingsRecord& record) {
    ResetIntGroup(record, SettingsGroup::Details);
    record.ExceptList.clear();
    record.ExtList.clear();
    record.IncExtList.clear();
    record.ExceptDate = DayZero();
    record.BeforeLogDate = DateOfDayCount(kLogDaysKept);
}

}  // namespace tv
