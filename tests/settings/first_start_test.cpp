// The first start on a machine with a floppy A, a fixed C, a CD-ROM D and a card reader E: no
// registry file and no list file yet.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/paths.h"
#include "settings/drive_refresh.h"
#include "settings/list_file.h"
#include "settings/setting_fields.h"
#include "tests/settings/settings_values.h"
#include "tests/settings/settings_world.h"

namespace tv::test {
namespace {

using R = SettingsRecord;

struct IntField {
    const char* name;
    int32_t R::*field;
    int32_t value;
};

class SettingsFirstStart : public ::testing::Test {
  protected:
    SettingsFirstStart() {
        world().AddDrive('A', kDriveRemovable);
        world().AddDrive('C', kDriveFixed, 0x1234ABCD);
        world().AddDrive('D', kDriveCdRom);
        world().AddDrive('E', kDriveRemovable, 0x0BADF00D, "CARD");
    }
    TestWorld& world() { return settings.world(); }
    std::string Documents(const std::string& name) {
        return JoinPath(world().locations().documentsDir, name);
    }

    SettingsWorld settings;
};

TEST_F(SettingsFirstStart, LoadTakesTheAbsentDefaultsOverTheReset) {
    const SettingsRecord record = settings.Restart();

    EXPECT_EQ(record.ValidDrive, 0x1Du);  // A, C, D, E
    EXPECT_EQ(record.LastDrive, 48);
    EXPECT_EQ(record.HardDiskNumber, 0);

    struct Row {
        char letter;
        const char* name;
        int32_t kind;
        int work;
    };
    const Row rows[] = {
        {'A', "リムーバブル ディスク (A:)", 2, 1},
        {'B', "", 1, 1},
        {'C', "ローカル ディスク (C:)", 3, 0},
        {'D', "CD ドライブ (D:)", 5, 0},
        {'E', "CARD (E:)", 2, 0},
        {'F', "", 1, 0},
        {'Z', "", 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.letter);
        const DriveEntry& drive = record.Drives[row.letter - 'A'];
        EXPECT_EQ(drive.Name, row.name);
        EXPECT_EQ(drive.Kind, row.kind);
        EXPECT_EQ(static_cast<int>(drive.Work), row.work);
        EXPECT_EQ(drive.BackupDir, Documents(std::string("RM") + row.letter));
    }
    for (char letter = 'G'; letter < 'Z'; ++letter) {
        EXPECT_EQ(record.Drives[letter - 'A'].Kind, 1) << letter;
        EXPECT_EQ(static_cast<int>(record.Drives[letter - 'A'].Work), 0) << letter;
    }

    const IntField fields[] = {
        {"Synchronize", &R::Synchronize, 0},
        {"SyncNoCDCopy", &R::SyncNoCDCopy, 0},
        {"SyncLoadControl", &R::SyncLoadControl, 3},
        {"SyncChacheSize", &R::SyncChacheSize, 1},
        {"SyncForceMirror", &R::SyncForceMirror, 1},
        {"SyncForceOverWrite", &R::SyncForceOverWrite, 1},
        {"SyncCheckSize", &R::SyncCheckSize, 1},
        {"SyncFullBackup", &R::SyncFullBackup, 1},
        {"SyncFullBackupCount", &R::SyncFullBackupCount, 10},
        {"SyncNoExcExt", &R::SyncNoExcExt, 0},
        {"MirrorLoadControl", &R::MirrorLoadControl, 3},
        {"MirrorChacheSize", &R::MirrorChacheSize, 1},
        {"ForceMirror2", &R::ForceMirror2, 1},
        {"ForceOverWrite2", &R::ForceOverWrite2, 1},
        {"CheckSizeDrive", &R::CheckSizeDrive, 1},
        {"HDBackupDrive", &R::HDBackupDrive, 0},
        {"PCcardAuto", &R::PCcardAuto, 1},
        {"RemLoadControl", &R::RemLoadControl, 3},
        {"RemChacheSize", &R::RemChacheSize, 1},
        {"ForceMirror1", &R::ForceMirror1, 1},
        {"ForceOverWrite1", &R::ForceOverWrite1, 1},
        {"CheckSizeFolder", &R::CheckSizeFolder, 1},
        {"Sound", &R::Sound, 1},
        {"Navigation", &R::Navigation, 1},
        {"IgnorTime", &R::IgnorTime, 2},
        {"ExceptSubFolder", &R::ExceptSubFolder, 0},
        {"ExceptDateFlag", &R::ExceptDateFlag, 0},
        {"ExceptReadOnlyFile", &R::ExceptReadOnlyFile, 0},
        {"ExceptHiddenFile", &R::ExceptHiddenFile, 0},
        {"ExtFolder", &R::ExtFolder, 0},
        {"ExecuteType", &R::ExecuteType, 0},
        {"DateFolder", &R::DateFolder, 0},
        {"NoIdleTime", &R::NoIdleTime, 5},
        {"NoIdleSync", &R::NoIdleSync, 1},
        {"NoIdleMirror", &R::NoIdleMirror, 1},
        {"USBCheck", &R::USBCheck, 1},
        {"USBCheckInterval", &R::USBCheckInterval, 1},
        {"IdleCheck", &R::IdleCheck, 1},
        {"UseDustBox", &R::UseDustBox, 0},  // the reset's 1 gives way to the absent 0
    };
    for (const IntField& field : fields) EXPECT_EQ(record.*field.field, field.value) << field.name;

    EXPECT_EQ(record.SynchroDirectory, world().locations().documentsDir);
    EXPECT_EQ(record.Directry2, world().locations().documentsDir);
    EXPECT_EQ(DateText(record.SyncInterval), "1899-12-30 00:00:00");
    EXPECT_EQ(DateText(record.MirrorInterval), "1899-12-30 00:00:00");
    EXPECT_EQ(DateText(record.ExceptDate), "unset");  // a missing ExceptDate reads as 0
    EXPECT_EQ(record.BeforeLogDate.Day(), 31);
    for (const std::string* text : {&record.User1, &record.Pass1, &record.User2, &record.Pass2}) {
        EXPECT_EQ(*text, "");
    }
    EXPECT_TRUE(record.FileList.empty() && record.ExceptList.empty() && record.ExtList.empty() &&
                record.IncExtList.empty());

    // An empty list file now exists beside the program.
    const std::string listFile = JoinPath(world().programDir(), "フォルダ設定.txt");
    EXPECT_TRUE(std::ifstream(std::filesystem::u8path(listFile)).good());
    EXPECT_EQ(FileBytes(listFile), "");
}

TEST_F(SettingsFirstStart, RefreshDrivesStoresTheLastLetterAndReportsTheChange) {
    SettingsRecord record = settings.Restart();
    record.Drives['C' - 'A'].Work = DriveWork::UnitSource;

    EXPECT_TRUE(RefreshDrives(record, settings.context()));
    EXPECT_EQ(record.LastDrive, 0x45);
    EXPECT_EQ(record.ValidDrive, 0x1Du);
    EXPECT_EQ(static_cast<int>(record.Drives['C' - 'A'].Work), 3);  // only Kind is refreshed
    EXPECT_FALSE(RefreshDrives(record, settings.context()));

    // A card reader that goes away changes the mask and the last letter, and Kind follows.
    world().drives().Unpin('E');
    EXPECT_TRUE(RefreshDrives(record, settings.context()));
    EXPECT_EQ(record.ValidDrive, 0x0Du);
    EXPECT_EQ(record.LastDrive, 'D');
    EXPECT_EQ(record.Drives['E' - 'A'].Kind, 1);
    EXPECT_EQ(record.Drives['E' - 'A'].Name, "CARD (E:)");
}

TEST_F(SettingsFirstStart, ANewRecordHoldsTheResetValues) {
    const SettingsRecord record = DefaultSettings(settings.context());

    EXPECT_EQ(record.ValidDrive, 0x1Du);
    EXPECT_EQ(record.LastDrive, 'E');
    EXPECT_EQ(record.HardDiskNumber, 1);
    EXPECT_EQ(static_cast<int>(record.Drives['A' - 'A'].Work), 1);
    EXPECT_EQ(static_cast<int>(record.Drives['C' - 'A'].Work), 4);
    EXPECT_EQ(static_cast<int>(record.Drives['D' - 'A'].Work), 4);
    EXPECT_EQ(static_cast<int>(record.Drives['E' - 'A'].Work), 0);
    EXPECT_EQ(record.Drives['F' - 'A'].Kind, -1);
    EXPECT_EQ(static_cast<int>(record.Drives['F' - 'A'].Work), 2);
    EXPECT_EQ(record.Drives['F' - 'A'].Name, "");
    EXPECT_EQ(record.Drives['F' - 'A'].BackupDir, Documents("RMF"));
    EXPECT_EQ(record.UseDustBox, 1);
    EXPECT_EQ(DateText(record.ExceptDate), "1899-12-30 00:00:00");
}

// Each reset button puts back its own group and leaves every other value alone.
TEST_F(SettingsFirstStart, EachGroupResetTouchesOnlyItsGroup) {
    const SettingsRecord defaults = DefaultSettings(settings.context());
    const SettingsRecord edited = DistinctSettings(world().base());
    struct Case {
        const char* name;
        void (*reset)(SettingsRecord&, const SettingsContext&);
        void (*expect)(SettingsRecord& wanted, const SettingsRecord& defaults);
    };
    const Case cases[] = {
        {"drive unit", ResetDriveUnit,
         [](SettingsRecord& w, const SettingsRecord& d) {
             TakeGroup(SettingsGroup::DriveUnit, d, w);
         }},
        {"file/directory unit", ResetFileDirUnit,
         [](SettingsRecord& w, const SettingsRecord& d) {
             TakeGroup(SettingsGroup::FileDirUnit, d, w);
             for (char letter : {'C', 'D'}) w.Drives[letter - 'A'] = d.Drives[letter - 'A'];
         }},
        {"removable", ResetRemovable,
         [](SettingsRecord& w, const SettingsRecord& d) {
             TakeGroup(SettingsGroup::Removable, d, w);
             for (int index = 0; index < kDriveLetterCount; ++index) {
                 if (index != 'C' - 'A' && index != 'D' - 'A') w.Drives[index] = d.Drives[index];
             }
         }},
        {"credentials", [](SettingsRecord& r, const SettingsContext&) { ClearCredentials(r); },
         [](SettingsRecord& w, const SettingsRecord&) {
             w.User1 = w.Pass1 = w.User2 = w.Pass2 = "";
         }},
        {"details", [](SettingsRecord& r, const SettingsContext&) { ResetDetails(r); },
         [](SettingsRecord& w, const SettingsRecord& d) {
             TakeGroup(SettingsGroup::Details, d, w);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsRecord record = edited;
        c.reset(record, settings.context());
        SettingsRecord wanted = edited;
        c.expect(wanted, defaults);
        ExpectSameSettings(wanted, record);
    }
}

}  // namespace
}  // namespace tv::test

namespace tv::test {
namespace {

// The reset of each group gives every whole number of the group the reset value of its row.
TEST_F(SettingsFirstStart, EveryWholeNumberResetsToTheValueOfItsRow) {
    const SettingsContext& context = settings.context();
    const struct {
        SettingsGroup group;
        void (*reset)(SettingsRecord&, const SettingsContext&);
    } resets[] = {
        {SettingsGroup::DriveUnit, ResetDriveUnit},
        {SettingsGroup::FileDirUnit, ResetFileDirUnit},
        {SettingsGroup::Removable, ResetRemovable},
        {SettingsGroup::Details,
         [](SettingsRecord& r, const SettingsContext&) { ResetDetails(r); }},
    };
    for (const auto& reset : resets) {
        SettingsRecord record = DistinctSettings(world().base());
        reset.reset(record, context);
        for (const SettingField& field : SettingFields()) {
            if (field.group != reset.group || field.kind != FieldKind::Int) continue;
            // The fixed drives present are counted after the reset of the count.
            const int32_t counted = &field == FindSetting(&R::HardDiskNumber) ? 1 : 0;
            EXPECT_EQ(record.*field.As<int32_t>(), field.reset + counted) << field.name;
        }
    }
}

// A first start finds no registry file: every whole number takes the absent value of its row.
TEST_F(SettingsFirstStart, EveryWholeNumberLoadsTheAbsentValueOfItsRow) {
    const SettingsRecord record = settings.Restart();
    for (const SettingField& field : SettingFields()) {
        if (field.kind != FieldKind::Int) continue;
        EXPECT_EQ(record.*field.As<int32_t>(), field.absent) << field.name;
    }
}

}  // namespace
}  // namespace tv::test
