#include "settings/settings_persistence.h"

#include "settings/credential_store.h"
#include "settings/current_drives.h"
#include "settings/int_settings.h"
#include "settings/list_file.h"
#include "settings/registry_sections.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

using R = SettingsRecord;

struct TextSetting {
    const char* name;
    std::string R::*field;
};
struct TimeSetting {
    const char* name;
    DateTime R::*field;
};

// Destination folders (section Mirroring); a stored empty text keeps the folder held before.
constexpr TextSetting kFolders[] = {{"SynchroDirectory", &R::SynchroDirectory},
                                    {"Directry2", &R::Directry2}};
// Run intervals (section Mirroring), stored as hours x 60 + minutes.
constexpr TimeSetting kIntervals[] = {{"SyncInterval", &R::SyncInterval},
                                      {"MirrorInterval", &R::MirrorInterval}};

constexpr int32_t kNoLastDrive = '0';

std::string DriveValueName(char letter, const char* suffix) {
    return std::string(1, letter) + suffix;
}

int32_t ReadInt(RegistryStore& registry, const char* section, const std::string& name,
                int32_t absent) {
    uint32_t value = static_cast<uint32_t>(absent);
    registry.ReadDword(section, name, &value);
    return static_cast<int32_t>(value);
}

bool WriteInt(RegistryStore& registry, const char* section, const std::string& name,
              int32_t value) {
    return registry.WriteDword(section, name, static_cast<uint32_t>(value));
}

// Takes the stored text unless it is empty; absent stands in for a missing value.
void TakeText(RegistryStore& registry, const char* section, const std::string& name,
              const std::string& absent, std::string& target) {
    std::string value = absent;
    registry.ReadString(section, name, &value);
    if (!value.empty()) target = value;
}

void LoadDrives(SettingsRecord& record, const SettingsContext& context) {
    RegistryStore& registry = context.registry;
    uint32_t validDrive = context.drives.LogicalDrives();
    registry.ReadDword(kSectionDirectory, "ValidDrive", &validDrive);
    record.ValidDrive = validDrive;
    record.HardDiskNumber = ReadInt(registry, kSectionDirectory, "HardDiskNumber", 0);
    record.LastDrive = ReadInt(registry, kSectionDirectory, "LastDrive", kNoLastDrive);
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        DriveEntry& drive = record.Drives[index];
        TakeText(registry, kSectionDirectory, DriveValueName(letter, ""),
                 CurrentDisplayName(context.drives, letter), drive.Name);
        drive.Kind = ReadInt(registry, kSectionDirectory, DriveValueName(letter, "_kind"),
                             CurrentDriveType(context.drives, letter));
        drive.Work = static_cast<DriveWork>(
            ReadInt(registry, kSectionDirectory, DriveValueName(letter, "_work"),
                    static_cast<int32_t>(DefaultRemovableWork(letter))));
        TakeText(registry, kSectionDirectory, DriveValueName(letter, "_backup_dir"),
                 drive.BackupDir, drive.BackupDir);
    }
}

bool SaveDrives(const SettingsRecord& record, RegistryStore& registry) {
    bool written = WriteInt(registry, kSectionDirectory, "LastDrive", record.LastDrive);
    written &= registry.WriteDword(kSectionDirectory, "ValidDrive", record.ValidDrive);
    written &= WriteInt(registry, kSectionDirectory, "HardDiskNumber", record.HardDiskNumber);
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        const DriveEntry& drive = record.Drives[index];
        written &= registry.WriteString(kSectionDirectory, DriveValueName(letter, ""), drive.Name);
        written &=
            WriteInt(registry, kSectionDirectory, DriveValueName(letter, "_kind"), drive.Kind);
        written &= WriteInt(registry, kSectionDirectory, DriveValueName(letter, "_work"),
                            static_cast<int32_t>(drive.Work));
        written &= registry.WriteString(kSectionDirectory, DriveValueName(letter, "_backup_dir"),
                                        drive.BackupDir);
    }
    return written;
}

void LoadIntSettings(SettingsRecord& record, RegistryStore& registry) {
    for (const IntSetting& setting : IntSettings()) {
        const int32_t value = ReadInt(registry, setting.section, setting.name, setting.absent);
        const bool inRange = value >= setting.lowest && value <= setting.highest;
        record.*setting.field = inRange ? value : setting.absent;
    }
}

bool SaveIntSettings(const SettingsRecord& record, RegistryStore& registry) {
    bool written = true;
    for (const IntSetting& setting : IntSettings()) {
        written &= WriteInt(registry, setting.section, setting.name, record.*setting.field);
    }
    return written;
}

void LoadFoldersAndTimes(SettingsRecord& record, RegistryStore& registry) {
    for (const TextSetting& folder : kFolders) {
        TakeText(registry, kSectionMirroring, folder.name, record.*folder.field,
                 record.*folder.field);
    }
    for (const TimeSetting& interval : kIntervals) {
        record.*interval.field =
            TimeFromMinutes(ReadInt(registry, kSectionMirroring, interval.name, 0));
    }
    record.ExceptDate = DateFromNumber(ReadInt(registry, kSectionMirroring, "ExceptDate", 0));
    // 0 keeps the held count; so does a number whose last two digits are no day count, since
    // an unset count would reach the log purge as -1 days.
    const int32_t logDays = ReadInt(registry, kSectionMirroring, "BeforeLogDate", 0);
    const DateTime logDate = DateOfDayCount(logDays % 100);
    if (logDays != 0 && logDate.IsValid()) record.BeforeLogDate = logDate;
}

bool SaveFoldersAndTimes(const SettingsRecord& record, RegistryStore& registry) {
    bool written = true;
    for (const TextSetting& folder : kFolders) {
        written &= registry.WriteString(kSectionMirroring, folder.name, record.*folder.field);
    }
    for (const TimeSetting& interval : kIntervals) {
        written &= WriteInt(registry, kSectionMirroring, interval.name,
                            MinutesOfTime(record.*interval.field));
    }
    written &= WriteInt(registry, kSectionMirroring, "ExceptDate", NumberOfDate(record.ExceptDate));
    written &=
        WriteInt(registry, kSectionMirroring, "BeforeLogDate", DayCountOf(record.BeforeLogDate));
    return written;
}

}  // namespace

bool LoadSettings(SettingsRecord& record, const SettingsContext& context) {
    RegistryStore& registry = context.registry;
    const bool registryRead = registry.Load();
    if (registryRead) {
        RegistryStore::Batch batch(registry);
        LoadDrives(record, context);
        LoadFoldersAndTimes(record, registry);
        LoadIntSettings(record, registry);
        LoadCredentials(record, registry, context.secrets);
    }
    ReadListFile(record, context.locations.programDir);
    return registryRead;
}

bool SaveSettings(const SettingsRecord& record, const SettingsContext& context) {
    RegistryStore& registry = context.registry;
    bool written = true;
    {
        RegistryStore::Batch batch(registry);
        written &= SaveDrives(record, registry);
        written &= SaveFoldersAndTimes(record, registry);
        written &= SaveIntSettings(record, registry);
        written &= SaveCredentials(record, registry, context.secrets);
    }
    // The file itself is rewritten when the batch ends.
    written &= !registry.HasUnsavedChanges();
    written &= WriteListFile(record, context.locations.programDir, context.clock.NowDateTime());
    return written;
}

}  // namespace tv
