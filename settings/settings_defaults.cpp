#include "settings/settings_defaults.h"

#include "settings/current_drives.h"
#include "settings/setting_fields.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

// Folders reset to the documents folder; the drive bookkeeping is left to the callers.
void ResetField(const SettingField& field, SettingsRecord& record, const std::string& documents) {
    switch (field.kind) {
        case FieldKind::Int:
            record.*field.As<int32_t>() = field.reset;
            return;
        case FieldKind::Text:
            record.*field.As<std::string>() = documents;
            return;
        case FieldKind::Time:
        case FieldKind::Date:
        case FieldKind::DayCount:
            record.*field.As<DateTime>() = DateTimeOfStored(field.kind, field.reset);
            return;
        case FieldKind::Credential:
            (record.*field.As<std::string>()).clear();
            return;
        case FieldKind::List:
            (record.*field.As<std::vector<std::string>>()).clear();
            return;
        case FieldKind::Mask:
        case FieldKind::DriveTable:
            return;
    }
}

void ResetGroup(SettingsRecord& record, SettingsGroup group, const std::string& documents) {
    for (const SettingField& field : SettingFields()) {
        if (field.group == group) ResetField(field, record, documents);
    }
}

bool IsUnitDriveType(int32_t type) { return type == kDriveFixed || type == kDriveCdRom; }

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
    ResetGroup(record, SettingsGroup::DriveUnit, context.locations.documentsDir);
}

void ResetFileDirUnit(SettingsRecord& record, const SettingsContext& context) {
    ResetGroup(record, SettingsGroup::FileDirUnit, context.locations.documentsDir);
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
}

void ResetRemovable(SettingsRecord& record, const SettingsContext& context) {
    ResetGroup(record, SettingsGroup::Removable, context.locations.documentsDir);
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
    ResetGroup(record, SettingsGroup::Credentials, {});
}

void ResetDetails(SettingsRecord& record) { ResetGroup(record, SettingsGroup::Details, {}); }

}  // namespace tv
