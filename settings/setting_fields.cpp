#include "settings/setting_fields.h"

#include "settings/registry_sections.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

constexpr int32_t kMostLoadControl = 10;  // milliseconds
constexpr int32_t kMostCacheShift = 7;    // 32 KB << 7 = 4 MB
constexpr int32_t kNoLastDrive = '0';
constexpr int32_t kLogDaysKept = 31;
constexpr int32_t kDayZero = 18991230;  // 1899-12-30, the date the reset gives ExceptDate

using R = SettingsRecord;
constexpr SettingsGroup kDrives = SettingsGroup::Drives;
constexpr SettingsGroup kDrive = SettingsGroup::DriveUnit;
constexpr SettingsGroup kFileDir = SettingsGroup::FileDirUnit;
constexpr SettingsGroup kRemovable = SettingsGroup::Removable;
constexpr SettingsGroup kSecrets = SettingsGroup::Credentials;
constexpr SettingsGroup kDetails = SettingsGroup::Details;
constexpr const char* kDir = kSectionDirectory;
constexpr const char* kMir = kSectionMirroring;
constexpr ReportEnd kLine = ReportEnd::Line;
constexpr ReportEnd kGap = ReportEnd::Gap;

// A whole number whose reset and absent values are the same.
SettingField Int(SettingsGroup group, const char* section, const char* name, int32_t R::*member,
                 int32_t value) {
    return SettingField{FieldKind::Int, group, section, name, member}.Reset(value).Absent(value);
}

SettingField Of(FieldKind kind, SettingsGroup group, const char* section, const char* name,
                FieldMember member) {
    return SettingField{kind, group, section, name, member};
}

SettingField LoadControl(SettingsGroup group, const char* name, int32_t R::*member) {
    return Int(group, kMir, name, member, 3).Bounds(0, kMostLoadControl);
}

SettingField CacheSize(SettingsGroup group, const char* name, int32_t R::*member) {
    return Int(group, kMir, name, member, 1).Bounds(0, kMostCacheShift);
}

SettingField Credential(const char* name, std::string R::*member) {
    return Of(FieldKind::Credential, kSecrets, kSectionNetwork, name, member).Report(kLine);
}

SettingField List(SettingsGroup group, const char* name, std::vector<std::string> R::*member,
                  const char* heading) {
    return Of(FieldKind::List, group, nullptr, name, member).Report(kLine).Heading(heading);
}

std::vector<SettingField> MakeTable() {
    using K = FieldKind;
    return {
        Int(kDrives, kDir, "LastDrive", &R::LastDrive, kNoLastDrive)
            .NotInBody()
            .Report(kLine)
            .Heading("　Directory\n\n"),
        Of(K::Mask, kDrives, kDir, "ValidDrive", &R::ValidDrive).NotInBody().Report(kLine),
        Of(K::DriveTable, kDrives, kDir, "Drives", &R::Drives).Report(kLine),
        Int(kFileDir, kDir, "HardDiskNumber", &R::HardDiskNumber, 0).NotInBody().Report(kGap),

        Int(kDrive, kMir, "Synchronize", &R::Synchronize, 0)
            .Report(kLine)
            .Heading("　Mirroring\n\n　　ドライブ単位関連項目\n\n"),
        Int(kDrive, kMir, "SyncNoCDCopy", &R::SyncNoCDCopy, 0).Report(kLine),
        Of(K::Text, kDrive, kMir, "SynchroDirectory", &R::SynchroDirectory).Report(kLine),
        Of(K::Time, kDrive, kMir, "SyncInterval", &R::SyncInterval).Report(kGap),
        LoadControl(kDrive, "SyncLoadControl", &R::SyncLoadControl).Report(kGap),
        CacheSize(kDrive, "SyncChacheSize", &R::SyncChacheSize).Report(kGap),
        Int(kDrive, kMir, "SyncForceMirror", &R::SyncForceMirror, 1).Report(kGap),
        Int(kDrive, kMir, "SyncForceOverWrite", &R::SyncForceOverWrite, 1)
            .Report(kGap, "SyncForceOverWrt"),
        Int(kDrive, kMir, "SyncCheckSize", &R::SyncCheckSize, 1).Report(kGap),
        Int(kDrive, kMir, "SyncFullBackup", &R::SyncFullBackup, 1).Report(kGap),
        Int(kDrive, kMir, "SyncFullBackupCount", &R::SyncFullBackupCount, 10)
            .Report(kGap, "SyncFullBKCount"),
        Int(kDrive, kMir, "SyncNoExcExt", &R::SyncNoExcExt, 0).Report(kLine, "SyncNoExcExtCopy"),

        List(kFileDir, "FileList", &R::FileList, "　Iniファイル設定項目\n\n\n　[FILE]\n\n")
            .ReportAfter("UseDustBox"),
        Of(K::Text, kFileDir, kMir, "Directry2", &R::Directry2)
            .Report(kLine, "Directory2")
            .Heading("　　ファイル・ディレクトリ単位関連項目\n\n"),
        Of(K::Time, kFileDir, kMir, "MirrorInterval", &R::MirrorInterval).Report(kGap),
        LoadControl(kFileDir, "MirrorLoadControl", &R::MirrorLoadControl)
            .Report(kGap, "MirrorLoadContr"),
        CacheSize(kFileDir, "MirrorChacheSize", &R::MirrorChacheSize).Report(kGap),
        Int(kFileDir, kMir, "ForceMirror2", &R::ForceMirror2, 1).Report(kLine),
        Int(kFileDir, kMir, "ForceOverWrite2", &R::ForceOverWrite2, 1).Report(kLine),
        Int(kFileDir, kMir, "CheckSizeDrive", &R::CheckSizeDrive, 1).Report(kLine),
        Int(kFileDir, kMir, "HDBackupDrive", &R::HDBackupDrive, 0).NotInBody().Report(kLine),

        Int(kRemovable, kMir, "PCcardAuto", &R::PCcardAuto, 1)
            .Report(kLine)
            .Heading("　　リムーバルブメディア類の動作項目\n\n"),
        LoadControl(kRemovable, "RemLoadControl", &R::RemLoadControl).Report(kGap),
        CacheSize(kRemovable, "RemChacheSize", &R::RemChacheSize).Report(kGap),
        Int(kRemovable, kMir, "ForceMirror1", &R::ForceMirror1, 1).Report(kLine),
        Int(kRemovable, kMir, "ForceOverWrite1", &R::ForceOverWrite1, 1).Report(kLine),
        Int(kRemovable, kMir, "CheckSizeFolder", &R::CheckSizeFolder, 1).Report(kGap),

        Credential("User1", &R::User1).Heading("　ネットワークのパスワード\n\n"),
        Credential("Pass1", &R::Pass1),
        Credential("User2", &R::User2),
        Credential("Pass2", &R::Pass2).Report(kGap),

        Int(kDetails, kSectionSound, "Sound", &R::Sound, 1)
            .Report(kLine)
            .Heading("　　詳細設定項目\n\n"),
        Int(kDetails, kSectionSound, "Navigation", &R::Navigation, 1).Report(kGap),
        Int(kDetails, kMir, "IgnorTime", &R::IgnorTime, 2).Report(kLine),
        List(kDetails, "ExceptList", &R::ExceptList, "　[EXCEPT]\n\n").ReportAfter("FileList"),
        Int(kDetails, kMir, "ExceptSubFolder", &R::ExceptSubFolder, 0).Report(kLine),
        Int(kDetails, kMir, "ExceptDateFlag", &R::ExceptDateFlag, 0).Report(kLine),
        Of(K::Date, kDetails, kMir, "ExceptDate", &R::ExceptDate).Reset(kDayZero).Report(kLine),
        Int(kDetails, kMir, "ExceptReadOnlyFile", &R::ExceptReadOnlyFile, 0)
            .Report(kLine, "ExceptReadOnly"),
        Int(kDetails, kMir, "ExceptHiddenFile", &R::ExceptHiddenFile, 0).Report(kLine),
        List(kDetails, "ExtList", &R::ExtList, "　[EXT]\n\n").ReportAfter("ExceptList"),
        List(kDetails, "IncExtList", &R::IncExtList, "\n　[INCEXT]\n\n").ReportAfter("ExtList"),
        Int(kDetails, kMir, "ExtFolder", &R::ExtFolder, 0).Report(kGap),
        Int(kDetails, kMir, "ExecuteType", &R::ExecuteType, 0).Report(kLine),
        Int(kDetails, kMir, "DateFolder", &R::DateFolder, 0).Report(kLine),
        Int(kDetails, kMir, "NoIdleTime", &R::NoIdleTime, 5)
            .Report(kGap)
            .ReportAfter("NoIdleMirror"),
        Int(kDetails, kMir, "NoIdleSync", &R::NoIdleSync, 1).Report(kGap),
        Int(kDetails, kMir, "NoIdleMirror", &R::NoIdleMirror, 1).Report(kGap),
        Int(kDetails, kMir, "USBCheck", &R::USBCheck, 1).Report(kGap),
        Int(kDetails, kMir, "USBCheckInterval", &R::USBCheckInterval, 1).Report(kGap),
        Of(K::DayCount, kDetails, kMir, "BeforeLogDate", &R::BeforeLogDate)
            .Reset(kLogDaysKept)
            .Report(kLine),
        Int(kDetails, kMir, "IdleCheck", &R::IdleCheck, 1).Report(kGap),
        Int(kDetails, kMir, "UseDustBox", &R::UseDustBox, 1).Absent(0).NotInBody().Report(kGap),
    };
}

}  // namespace

SettingField SettingField::Reset(int32_t value) const {
    SettingField field = *this;
    field.reset = value;
    return field;
}

SettingField SettingField::Absent(int32_t value) const {
    SettingField field = *this;
    field.absent = value;
    return field;
}

SettingField SettingField::Bounds(int32_t low, int32_t high) const {
    SettingField field = *this;
    field.lowest = low;
    field.highest = high;
    return field;
}

SettingField SettingField::NotInBody() const {
    SettingField field = *this;
    field.inBody = false;
    return field;
}

SettingField SettingField::Report(ReportEnd end, const char* label) const {
    SettingField field = *this;
    field.reportEnd = end;
    field.reportLabel = label;
    return field;
}

SettingField SettingField::Heading(const char* heading) const {
    SettingField field = *this;
    field.reportHeading = heading;
    return field;
}

SettingField SettingField::ReportAfter(const char* name) const {
    SettingField field = *this;
    field.reportAfter = name;
    return field;
}

const std::vector<SettingField>& SettingFields() {
    static const std::vector<SettingField> table = MakeTable();
    return table;
}

const SettingField* FindSetting(int32_t SettingsRecord::*member) {
    for (const SettingField& field : SettingFields()) {
        if (field.member == FieldMember(member)) return &field;
    }
    return nullptr;
}

DateTime DateTimeOfStored(FieldKind kind, int32_t stored) {
    if (kind == FieldKind::Time) return TimeFromMinutes(stored);
    if (kind == FieldKind::Date) return DateFromNumber(stored);
    return DateOfDayCount(stored % 100);
}

int32_t StoredOfDateTime(FieldKind kind, const DateTime& value) {
    if (kind == FieldKind::Time) return MinutesOfTime(value);
    if (kind == FieldKind::Date) return NumberOfDate(value);
    return DayCountOf(value);
}

}  // namespace tv
