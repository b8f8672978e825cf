#include "settings/int_settings.h"

#include "settings/registry_sections.h"

namespace tv {
namespace {

constexpr int32_t kMostLoadControl = 10;  // milliseconds
constexpr int32_t kMostCacheShift = 7;    // 32 KB << 7 = 4 MB

using R = SettingsRecord;
constexpr SettingsGroup kDrive = SettingsGroup::DriveUnit;
constexpr SettingsGroup kFileDir = SettingsGroup::FileDirUnit;
constexpr SettingsGroup kRemovable = SettingsGroup::Removable;
constexpr SettingsGroup kDetails = SettingsGroup::Details;
constexpr const char* kMir = kSectionMirroring;

}  // namespace

const std::vector<IntSetting>& IntSettings() {
    static const std::vector<IntSetting> settings = {
        {kDrive, kMir, "Synchronize", &R::Synchronize, 0, 0},
        {kDrive, kMir, "SyncNoCDCopy", &R::SyncNoCDCopy, 0, 0},
        {kDrive, kMir, "SyncLoadControl", &R::SyncLoadControl, 3, 3, 0, kMostLoadControl},
        {kDrive, kMir, "SyncChacheSize", &R::SyncChacheSize, 1, 1, 0, kMostCacheShift},
        {kDrive, kMir, "SyncForceMirror", &R::SyncForceMirror, 1, 1},
        {kDrive, kMir, "SyncForceOverWrite", &R::SyncForceOverWrite, 1, 1},
        {kDrive, kMir, "SyncCheckSize", &R::SyncCheckSize, 1, 1},
        {kDrive, kMir, "SyncFullBackup", &R::SyncFullBackup, 1, 1},
        {kDrive, kMir, "SyncFullBackupCount", &R::SyncFullBackupCount, 10, 10},
        {kDrive, kMir, "SyncNoExcExt", &R::SyncNoExcExt, 0, 0},

        {kFileDir, kMir, "MirrorLoadControl", &R::MirrorLoadControl, 3, 3, 0, kMostLoadControl},
        {kFileDir, kMir, "MirrorChacheSize", &R::MirrorChacheSize, 1, 1, 0, kMostCacheShift},
        {kFileDir, kMir, "ForceMirror2", &R::ForceMirror2, 1, 1},
        {kFileDir, kMir, "ForceOverWrite2", &R::ForceOverWrite2, 1, 1},
        {kFileDir, kMir, "CheckSizeDrive", &R::CheckSizeDrive, 1, 1},
        {kFileDir, kMir, "HDBackupDrive", &R::HDBackupDrive, 0, 0},

        {kRemovable, kMir, "PCcardAuto", &R::PCcardAuto, 1, 1},
        {kRemovable, kMir, "RemLoadControl", &R::RemLoadControl, 3, 3, 0, kMostLoadControl},
        {kRemovable, kMir, "RemChacheSize", &R::RemChacheSize, 1, 1, 0, kMostCacheShift},
        {kRemovable, kMir, "ForceMirror1", &R::ForceMirror1, 1, 1},
        {kRemovable, kMir, "ForceOverWrite1", &R::ForceOverWrite1, 1, 1},
        {kRemovable, kMir, "CheckSizeFolder", &R::CheckSizeFolder, 1, 1},

        {kDetails, kSectionSound, "Sound", &R::Sound, 1, 1},
        {kDetails, kSectionSound, "Navigation", &R::Navigation, 1, 1},
        {kDetails, kMir, "IgnorTime", &R::IgnorTime, 2, 2},
        {kDetails, kMir, "ExceptSubFolder", &R::ExceptSubFolder, 0, 0},
        {kDetails, kMir, "ExceptDateFlag", &R::ExceptDateFlag, 0, 0},
        {kDetails, kMir, "ExceptReadOnlyFile", &R::ExceptReadOnlyFile, 0, 0},
        {kDetails, kMir, "ExceptHiddenFile", &R::ExceptHiddenFile, 0, 0},
        {kDetails, kMir, "ExtFolder", &R::ExtFolder, 0, 0},
        {kDetails, kMir, "ExecuteType", &R::ExecuteType, 0, 0},
        {kDetails, kMir, "DateFolder", &R::DateFolder, 0, 0},
        {kDetails, kMir, "NoIdleTime", &R::NoIdleTime, 5, 5},
        {kDetails, kMir, "NoIdleSync", &R::NoIdleSync, 1, 1},
        {kDetails, kMir, "NoIdleMirror", &R::NoIdleMirror, 1, 1},
        {kDetails, kMir, "USBCheck", &R::USBCheck, 1, 1},
        {kDetails, kMir, "USBCheckInterval", &R::USBCheckInterval, 1, 1},
        {kDetails, kMir, "IdleCheck", &R::IdleCheck, 1, 1},
        {kDetails, kMir, "UseDustBox", &R::UseDustBox, 1, 0},
    };
    return settings;
}

}  // namespace tv
