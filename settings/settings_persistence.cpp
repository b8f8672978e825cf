#include "settings/settings_persistence.h"

#include "settings/credential_store.h"
#include "settings/current_drives.h"
#include "settings/list_file.h"
#include "settings/registry_sections.h"
#include "settings/setting_fields.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

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
    bool written = true;
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

// Whole numbers outside their bounds count as absent; an empty text and a day count that is
// none keep the value held before (an unset count would reach the log purge as -1 days).
void LoadField(const SettingField& field, SettingsRecord& record, const SettingsContext& context) {
    RegistryStore& registry = context.registry;
    switch (field.kind) {
        case FieldKind::Int: {
            const int32_t value = ReadInt(registry, field.section, field.name, field.absent);
            const bool inRange = value >= field.lowest && value <= field.highest;
            record.*field.As<int32_t>() = inRange ? value : field.absent;
            return;
        }
        case FieldKind::Mask: {
            uint32_t mask = context.drives.LogicalDrives();
            registry.ReadDword(field.section, field.name, &mask);
            record.*field.As<uint32_t>() = mask;
            return;
        }
        case FieldKind::Text: {
            std::string& text = record.*field.As<std::string>();
            TakeText(registry, field.section, field.name, text, text);
            return;
        }
        case FieldKind::Time:
        case FieldKind::Date:
        case FieldKind::DayCount: {
            const int32_t stored = ReadInt(registry, field.section, field.name, field.absent);
            const DateTime value = DateTimeOfStored(field.kind, stored);
            if (field.kind != FieldKind::DayCount || value.IsValid()) {
                record.*field.As<DateTime>() = value;
            }
            return;
        }
        case FieldKind::DriveTable:
            LoadDrives(record, context);
            return;
        case FieldKind::Credential:
        case FieldKind::List:
            return;
    }
}

bool SaveField(const SettingField& field, const SettingsRecord& record, RegistryStore& registry) {
    switch (field.kind) {
        case FieldKind::Int:
            return WriteInt(registry, field.section, field.name, record.*field.As<int32_t>());
        case FieldKind::Mask:
            return registry.WriteDword(field.section, field.name, record.*field.As<uint32_t>());
        case FieldKind::Text:
            return registry.WriteString(field.section, field.name, record.*field.As<std::string>());
        case FieldKind::Time:
        case FieldKind::Date:
        case FieldKind::DayCount:
            return WriteInt(registry, field.section, field.name,
                            StoredOfDateTime(field.kind, record.*field.As<DateTime>()));
        case FieldKind::DriveTable:
            return SaveDrives(record, registry);
        case FieldKind::Credential:
        case FieldKind::List:
            return true;
    }
    return true;
}

}  // namespace

bool LoadSettings(SettingsRecord& record, const SettingsContext& context) {
    RegistryStore& registry = context.registry;
    const bool registryRead = registry.Load();
    if (registryRead) {
        RegistryStore::Batch batch(registry);
        for (const SettingField& field : SettingFields()) LoadField(field, record, context);
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
        for (const SettingField& field : SettingFields()) {
            written &= SaveField(field, record, registry);
        }
        written &= SaveCredentials(record, registry, context.secrets);
    }
    // The file itself is rewritten when the batch ends.
    written &= !registry.HasUnsavedChanges();
    written &= WriteListFile(record, context.locations.programDir, context.clock.NowDateTime());
    return written;
}

}  // namespace tv
