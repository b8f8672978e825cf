// Saving the record into the registry and loading it back as a new process would.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "settings/list_file.h"
#include "settings/setting_fields.h"
#include "tests/settings/settings_values.h"
#include "tests/settings/settings_world.h"

namespace tv::test {
namespace {

class SettingsPersistence : public ::testing::Test {
  protected:
    SettingsPersistence() {
        settings.world().AddDrive('A', kDriveRemovable);
        settings.world().AddDrive('C', kDriveFixed);
    }

    void Save(const SettingsRecord& record) {
        ASSERT_TRUE(SaveSettings(record, settings.context()));
    }
    // Stores values as an earlier run would have left them, then starts anew.
    SettingsRecord RestartWith(void (*store)(RegistryStore&)) {
        RegistryStore registry(settings.RegistryPath());
        registry.Load();
        store(registry);
        return settings.Restart();
    }
    uint32_t StoredDword(const char* section, const std::string& name) {
        RegistryStore registry = settings.StoredRegistry();
        uint32_t value = 0xDEADBEEF;
        EXPECT_TRUE(registry.ReadDword(section, name, &value)) << section << "/" << name;
        return value;
    }
    std::string StoredText(const char* section, const std::string& name) {
        RegistryStore registry = settings.StoredRegistry();
        std::string value = "(missing)";
        EXPECT_TRUE(registry.ReadString(section, name, &value)) << section << "/" << name;
        return value;
    }
    std::string StoredBytes(const std::string& name) {
        RegistryStore registry = settings.StoredRegistry();
        std::string value = "(missing)";
        EXPECT_TRUE(registry.ReadBinary("Network", name, &value)) << name;
        return value;
    }
    std::string RegistryFileText() { return settings.StoredRegistryText(); }

    SettingsWorld settings;
};

TEST_F(SettingsPersistence, EveryValueSurvivesARestartUnderItsOwnName) {
    const SettingsRecord saved = DistinctSettings(settings.world().base());
    Save(saved);

    struct Stored {
        const char* section;
        const char* name;
        uint32_t value;
    };
    const Stored dwords[] = {
        {"Directory", "ValidDrive", 0x0300001D},
        {"Directory", "LastDrive", 'Y'},
        {"Directory", "HardDiskNumber", 101},
        {"Directory", "A_kind", 200},
        {"Directory", "A_work", 300},
        {"Directory", "Z_kind", 225},
        {"Directory", "Z_work", 325},
        {"Mirroring", "Synchronize", 102},
        {"Mirroring", "SyncNoCDCopy", 103},
        {"Mirroring", "SyncInterval", 90},
        {"Mirroring", "SyncLoadControl", 7},
        {"Mirroring", "SyncChacheSize", 5},
        {"Mirroring", "SyncForceMirror", 104},
        {"Mirroring", "SyncForceOverWrite", 105},
        {"Mirroring", "SyncCheckSize", 106},
        {"Mirroring", "SyncFullBackup", 107},
        {"Mirroring", "SyncFullBackupCount", 108},
        {"Mirroring", "SyncNoExcExt", 109},
        {"Mirroring", "MirrorInterval", 1439},
        {"Mirroring", "MirrorLoadControl", 10},
        {"Mirroring", "MirrorChacheSize", 7},
        {"Mirroring", "ForceMirror2", 110},
        {"Mirroring", "ForceOverWrite2", 111},
        {"Mirroring", "CheckSizeDrive", 112},
        {"Mirroring", "HDBackupDrive", 113},
        {"Mirroring", "PCcardAuto", 114},
        {"Mirroring", "RemLoadControl", 0},
        {"Mirroring", "RemChacheSize", 0},
        {"Mirroring", "ForceMirror1", 115},
        {"Mirroring", "ForceOverWrite1", 116},
        {"Mirroring", "CheckSizeFolder", 117},
        {"Sound", "Sound", 118},
        {"Sound", "Navigation", 119},
        {"Mirroring", "IgnorTime", 120},
        {"Mirroring", "ExceptSubFolder", 121},
        {"Mirroring", "ExceptDateFlag", 122},
        {"Mirroring", "ExceptDate", 20050701},
        {"Mirroring", "ExceptReadOnlyFile", 123},
        {"Mirroring", "ExceptHiddenFile", 124},
        {"Mirroring", "ExtFolder", 125},
        {"Mirroring", "ExecuteType", 126},
        {"Mirroring", "DateFolder", 127},
        {"Mirroring", "NoIdleTime", 128},
        {"Mirroring", "NoIdleSync", 129},
        {"Mirroring", "NoIdleMirror", 130},
        {"Mirroring", "USBCheck", 131},
        {"Mirroring", "USBCheckInterval", 132},
        {"Mirroring", "BeforeLogDate", 7},
        {"Mirroring", "IdleCheck", 133},
        {"Mirroring", "UseDustBox", 134},
    };
    for (const Stored& stored : dwords) {
        EXPECT_EQ(StoredDword(stored.section, stored.name), stored.value) << stored.name;
    }
    const std::string base = settings.world().base();
    EXPECT_EQ(StoredText("Directory", "A"), "ドライブ A");
    EXPECT_EQ(StoredText("Directory", "Z_backup_dir"), JoinPath(base, "backup Z"));
    EXPECT_EQ(StoredText("Mirroring", "SynchroDirectory"), JoinPath(base, "同期先"));
    EXPECT_EQ(StoredText("Mirroring", "Directry2"), JoinPath(base, "directory two"));
    EXPECT_EQ(StoredText("Network", "Drive1"), "");
    EXPECT_EQ(StoredText("Network", "Drive2"), "");

    ExpectSameSettings(saved, settings.Restart());
}

// Each whole number of the table is stored under the name of its row, and only there: a second
// save of a record whose one field changed changes that stored value alone.
TEST_F(SettingsPersistence, EveryWholeNumberIsStoredUnderTheNameOfItsRow) {
    const SettingsRecord saved = DistinctSettings(settings.world().base());
    for (const SettingField& field : SettingFields()) {
        if (field.kind != FieldKind::Int) continue;
        SettingsRecord changed = saved;
        const int32_t value = field.IsBounded() ? field.lowest : 4321;
        changed.*field.As<int32_t>() = value == saved.*field.As<int32_t>() ? value + 1 : value;
        Save(changed);
        EXPECT_EQ(StoredDword(field.section, field.name),
                  static_cast<uint32_t>(changed.*field.As<int32_t>()))
            << field.name;
        ExpectSameSettings(changed, settings.Restart());
    }
}

// How the date-time fields are stored as numbers: what a stored number loads as, and what the
// loaded value saves back as.
TEST_F(SettingsPersistence, DateTimesConvertToAndFromTheirStoredNumbers) {
    enum Kind { kTime, kDate, kDays };
    struct Case {
        const char* name;
        Kind kind;
        uint32_t stored;
        const char* loaded;
        uint32_t savedBack;
    };
    const Case cases[] = {
        {"SyncInterval", kTime, 90, "01:30", 90},
        {"SyncInterval", kTime, 0, "00:00", 0},
        {"MirrorInterval", kTime, 1439, "23:59", 1439},
        {"MirrorInterval", kTime, 1440, "unset", static_cast<uint32_t>(-61)},
        {"ExceptDate", kDate, 20050701, "2005/07/01", 20050701},
        {"ExceptDate", kDate, 20050231, "unset", static_cast<uint32_t>(-10101)},
        {"ExceptDate", kDate, 0, "unset", static_cast<uint32_t>(-10101)},
        {"BeforeLogDate", kDays, 7, "7", 7},
        {"BeforeLogDate", kDays, 0, "31", 31},
        {"BeforeLogDate", kDays, 107, "7", 7},
        // No day count in the last two digits: the held 31 stays rather than an unset count.
        {"BeforeLogDate", kDays, 45, "31", 31},
        {"BeforeLogDate", kDays, 0xFFFFFFFF, "31", 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.stored));
        RegistryStore registry(settings.RegistryPath());
        registry.Load();
        ASSERT_TRUE(registry.WriteDword("Mirroring", c.name, c.stored));
        const SettingsRecord record = settings.Restart();

        const DateTime& value =
            c.kind == kTime   ? (std::string(c.name) == "SyncInterval" ? record.SyncInterval
                                                                       : record.MirrorInterval)
            : c.kind == kDate ? record.ExceptDate
                              : record.BeforeLogDate;
        char text[32];
        if (!value.IsValid()) {
            std::snprintf(text, sizeof(text), "unset");
        } else if (c.kind == kTime) {
            std::snprintf(text, sizeof(text), "%02d:%02d", value.Hour(), value.Minute());
        } else if (c.kind == kDate) {
            std::snprintf(text, sizeof(text), "%04d/%02d/%02d", value.Year(), value.Month(),
                          value.Day());
        } else {
            std::snprintf(text, sizeof(text), "%d", value.Day());
        }
        EXPECT_STREQ(text, c.loaded);

        Save(record);
        EXPECT_EQ(StoredDword("Mirroring", c.name), c.savedBack);
    }
}

TEST_F(SettingsPersistence, UnsetDateTimesAreStoredAsMinusOneParts) {
    SettingsRecord record = DefaultSettings(settings.context());
    record.SyncInterval = DateTime::Invalid();
    record.MirrorInterval = DateTime::Invalid();
    record.ExceptDate = DateTime::Invalid();
    record.BeforeLogDate = DateTime::Invalid();
    Save(record);

    EXPECT_EQ(StoredDword("Mirroring", "SyncInterval"), 0xFFFFFFC3u);  // -1 x 60 - 1
    EXPECT_EQ(StoredDword("Mirroring", "MirrorInterval"), 0xFFFFFFC3u);
    EXPECT_EQ(StoredDword("Mirroring", "ExceptDate"), 0xFFFFD88Bu);  // -10000 - 100 - 1
    EXPECT_EQ(StoredDword("Mirroring", "BeforeLogDate"), 0xFFFFFFFFu);

    const SettingsRecord loaded = settings.Restart();
    EXPECT_FALSE(loaded.SyncInterval.IsValid());
    EXPECT_FALSE(loaded.MirrorInterval.IsValid());
    EXPECT_FALSE(loaded.ExceptDate.IsValid());
    EXPECT_EQ(loaded.BeforeLogDate.Day(), 31);
}

TEST_F(SettingsPersistence, EmptyStoredTextsKeepTheValuesHeldBefore) {
    const SettingsRecord record = RestartWith([](RegistryStore& registry) {
        registry.WriteString("Mirroring", "SynchroDirectory", "");
        registry.WriteString("Mirroring", "Directry2", "");
        registry.WriteString("Directory", "C", "");
        registry.WriteString("Directory", "C_backup_dir", "");
    });
    const std::string documents = settings.world().locations().documentsDir;
    EXPECT_EQ(record.SynchroDirectory, documents);
    EXPECT_EQ(record.Directry2, documents);
    EXPECT_EQ(record.Drives['C' - 'A'].Name, "ローカル ディスク (C:)");
    EXPECT_EQ(record.Drives['C' - 'A'].BackupDir, JoinPath(documents, "RMC"));
}

// A copy buffer is a shift count and the load control a pause per file: a stored value out of
// their ranges falls back to the default instead of reaching a run.
TEST_F(SettingsPersistence, ValuesOutOfTheirRangesLoadAsTheirDefaults) {
    const SettingsRecord record = RestartWith([](RegistryStore& registry) {
        registry.WriteDword("Mirroring", "SyncChacheSize", 8);
        registry.WriteDword("Mirroring", "MirrorChacheSize", 7);
        registry.WriteDword("Mirroring", "RemChacheSize", 0xFFFFFFFF);
        registry.WriteDword("Mirroring", "SyncLoadControl", 11);
        registry.WriteDword("Mirroring", "MirrorLoadControl", 10);
        registry.WriteDword("Mirroring", "RemLoadControl", 0);
        registry.WriteDword("Mirroring", "SyncFullBackupCount", 5000);  // no range: taken
    });
    EXPECT_EQ(record.SyncChacheSize, 1);
    EXPECT_EQ(record.MirrorChacheSize, 7);
    EXPECT_EQ(record.RemChacheSize, 1);
    EXPECT_EQ(record.SyncLoadControl, 3);
    EXPECT_EQ(record.MirrorLoadControl, 10);
    EXPECT_EQ(record.RemLoadControl, 0);
    EXPECT_EQ(record.SyncFullBackupCount, 5000);
}

// Stored credential bytes: "abc" under the program's key is 88 d1 51, "ab2c" is 88 d1 00 02.
TEST_F(SettingsPersistence, CredentialsAreStoredEncryptedByteForByte) {
    SettingsRecord record = DefaultSettings(settings.context());
    record.User1 = "abc";
    record.Pass1 = "abc";
    record.User2 = "";
    record.Pass2 = "ab2c";
    Save(record);

    EXPECT_EQ(StoredBytes("User1"), "\x88\xd1\x51");
    EXPECT_EQ(StoredBytes("Pass1"), "\x88\xd1\x51");  // equal plain texts, equal bytes
    EXPECT_EQ(StoredBytes("User2"), "");
    EXPECT_EQ(StoredBytes("Pass2"), std::string("\x88\xd1\x00\x02", 4));
    EXPECT_NE(RegistryFileText().find("\"Pass1\"=hex:88,d1,51\r\n"), std::string::npos)
        << RegistryFileText();

    const SettingsRecord loaded = settings.Restart();
    EXPECT_EQ(loaded.User1, "abc");
    EXPECT_EQ(loaded.Pass1, "abc");
    EXPECT_EQ(loaded.User2, "");
    EXPECT_EQ(loaded.Pass2, "ab2c");
}

TEST_F(SettingsPersistence, SavingTwiceStoresTheSameBytesAndKeepsThePlainValues) {
    SettingsRecord record = DefaultSettings(settings.context());
    record.User1 = "backup-user";
    record.Pass1 = "パスワード";
    record.User2 = std::string(300, 'u');  // longer than any buffer of the original form
    record.Pass2 = "p";
    Save(record);
    const std::string first = RegistryFileText();
    Save(record);

    EXPECT_EQ(RegistryFileText(), first);
    EXPECT_EQ(record.Pass1, "パスワード");
    EXPECT_EQ(first.find("backup-user"), std::string::npos);
    EXPECT_EQ(StoredBytes("User2").size(), 300u);

    const SettingsRecord loaded = settings.Restart();
    EXPECT_EQ(loaded.User1, "backup-user");
    EXPECT_EQ(loaded.Pass1, "パスワード");
    EXPECT_EQ(loaded.User2, std::string(300, 'u'));
    EXPECT_EQ(loaded.Pass2, "p");
}

}  // namespace
}  // namespace tv::test
