#include "tests/settings/settings_values.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/paths.h"
#include "settings/setting_fields.h"
#include "settings/unit_options.h"

namespace tv::test {

namespace {

// Whole numbers from 101 on in the order of the table; the load controls and copy buffers are
// bounded, so each unit takes values of its own inside the bounds.
constexpr int32_t kFirstDistinctNumber = 101;
struct BoundedValues {
    int32_t loadControl;
    int32_t cacheSize;
};
constexpr BoundedValues kBoundedValues[] = {{7, 5}, {10, 7}, {0, 0}};

void SetDistinctNumbers(SettingsRecord& r) {
    int32_t next = kFirstDistinctNumber;
    for (const SettingField& field : SettingFields()) {
        const bool numbered = field.kind == FieldKind::Int && !field.IsBounded() &&
                              field.group != SettingsGroup::Drives;
        if (numbered) r.*field.As<int32_t>() = next++;
    }
    for (SettingsUnit unit :
         {SettingsUnit::DriveUnit, SettingsUnit::FileDir, SettingsUnit::Removable}) {
        const BoundedValues& values = kBoundedValues[static_cast<int>(unit)];
        r.*UnitFieldsOf(unit).loadControl = values.loadControl;
        r.*UnitFieldsOf(unit).cacheSize = values.cacheSize;
    }
}

void SetDriveBookkeeping(SettingsRecord& r, const std::string& folder) {
    r.ValidDrive = 0x0300001D;
    r.LastDrive = 'Y';
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const std::string letter(1, DriveLetterAt(index));
        DriveEntry& drive = r.Drives[index];
        drive.Name = "ドライブ " + letter;
        drive.Kind = 200 + index;
        drive.Work = static_cast<DriveWork>(300 + index);
        drive.BackupDir = JoinPath(folder, "backup " + letter);
    }
}

}  // namespace

// The texts, date-times and lists are chosen by hand: the stored forms tests expect follow
// from them.
SettingsRecord DistinctSettings(const std::string& folder) {
    SettingsRecord r;
    SetDriveBookkeeping(r, folder);
    SetDistinctNumbers(r);
    r.SynchroDirectory = JoinPath(folder, "同期先");
    r.SyncInterval = DateTime::FromParts(1899, 12, 30, 1, 30);
    r.Directry2 = JoinPath(folder, "directory two");
    r.MirrorInterval = DateTime::FromParts(1899, 12, 30, 23, 59);
    r.User1 = "user one";
    r.Pass1 = "pass one";
    r.User2 = "ユーザー2";
    r.Pass2 = "pass two";
    r.ExceptDate = DateTime::FromParts(2005, 7, 1);
    r.BeforeLogDate = DateTime::FromParts(2000, 1, 7);
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

namespace {

void ExpectSameDrives(const SettingsRecord& expected, const SettingsRecord& actual) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        SCOPED_TRACE(std::string("drive ") + DriveLetterAt(index));
        const DriveEntry& e = expected.Drives[index];
        const DriveEntry& a = actual.Drives[index];
        EXPECT_EQ(e.Name, a.Name) << "Name";
        EXPECT_EQ(e.Kind, a.Kind) << "Kind";
        EXPECT_EQ(static_cast<int>(e.Work), static_cast<int>(a.Work)) << "Work";
        EXPECT_EQ(e.BackupDir, a.BackupDir) << "BackupDir";
    }
}

template <typename T>
void ExpectSameMember(const SettingField& field, const SettingsRecord& expected,
                      const SettingsRecord& actual) {
    EXPECT_EQ(expected.*field.As<T>(), actual.*field.As<T>()) << field.name;
}

void ExpectSameField(const SettingField& field, const SettingsRecord& expected,
                     const SettingsRecord& actual) {
    switch (field.kind) {
        case FieldKind::Int:
            return ExpectSameMember<int32_t>(field, expected, actual);
        case FieldKind::Mask:
            return ExpectSameMember<uint32_t>(field, expected, actual);
        case FieldKind::Text:
        case FieldKind::Credential:
            return ExpectSameMember<std::string>(field, expected, actual);
        case FieldKind::List:
            return ExpectSameMember<std::vector<std::string>>(field, expected, actual);
        case FieldKind::Time:
        case FieldKind::Date:
        case FieldKind::DayCount:
            EXPECT_EQ(DateText(expected.*field.As<DateTime>()),
                      DateText(actual.*field.As<DateTime>()))
                << field.name;
            return;
        case FieldKind::DriveTable:
            return ExpectSameDrives(expected, actual);
    }
}

}  // namespace

void TakeGroup(SettingsGroup group, const SettingsRecord& source, SettingsRecord& target) {
    for (const SettingField& field : SettingFields()) {
        if (field.group != group || field.kind == FieldKind::DriveTable) continue;
        std::visit([&](auto member) { target.*member = source.*member; }, field.member);
    }
}

void ExpectSameSettings(const SettingsRecord& expected, const SettingsRecord& actual) {
    for (const SettingField& field : SettingFields()) ExpectSameField(field, expected, actual);
}

}  // namespace tv::test
