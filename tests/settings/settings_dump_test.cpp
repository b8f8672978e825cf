#include "settings/settings_dump.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/settings/owner_only_file.h"
#include "tests/settings/settings_world.h"
#include "tests/support/scripted_prompts.h"

namespace tv::test {
namespace {

// The defaults on drives A (removable), C (fixed) and Q (network), with a few values changed.
SettingsRecord DumpedRecord(SettingsWorld& settings) {
    settings.world().AddDrive('A', kDriveRemovable);
    settings.world().AddDrive('C', kDriveFixed, 0x1234, "システム");
    settings.world().AddDrive('Q', kDriveRemote);
    SettingsRecord r = DefaultSettings(settings.context());
    r.SyncInterval = DateTime::FromTime(1, 30);
    r.SyncLoadControl = -1;
    r.MirrorInterval = DateTime::Invalid();
    r.User1 = "abc";     // stored as 88 d1 51
    r.Pass1 = "p\xb3w";  // stored as 99 00 45: printed up to the zero byte
    r.ExceptDate = DateTime::FromParts(2005, 7, 1);
    r.FileList = {"/data/写真", "/data/文書"};
    r.ExtList = {"tmp"};
    return r;
}

std::string ExpectedDump(const std::string& docs) {
    return "レジストリの設定内容\r\n\r\n"
           "　Directory\r\n\r\n"
           "　　LastDrive     ：81\r\n"
           "　　ValidDrive    ：65541\r\n"
           "　　A             ：リムーバブル ディスク (A:)\r\n"
           "　　A_kind        ：2\r\n"
           "　　A_work        ：1\r\n"
           "　　A_backup_dir  ：" +
           docs +
           "/RMA\r\n"
           "　　C             ：システム (C:)\r\n"
           "　　C_kind        ：3\r\n"
           "　　C_work        ：4\r\n"
           "　　HardDiskNumber：1\r\n\r\n"
           "　Mirroring\r\n\r\n"
           "　　ドライブ単位関連項目\r\n\r\n"
           "　　　Synchronize     ：0\r\n"
           "　　　SyncNoCDCopy    ：0\r\n"
           "　　　SynchroDirectory：" +
           docs +
           "\r\n"
           "　　　SyncInterval    ：90\r\n\r\n"
           "　　　SyncLoadControl ：4294967295\r\n\r\n"
           "　　　SyncChacheSize  ：1\r\n\r\n"
           "　　　SyncForceMirror ：1\r\n\r\n"
           "　　　SyncForceOverWrt：1\r\n\r\n"
           "　　　SyncCheckSize   ：1\r\n\r\n"
           "　　　SyncFullBackup  ：1\r\n\r\n"
           "　　　SyncFullBKCount ：10\r\n\r\n"
           "　　　SyncNoExcExtCopy：0\r\n"
           "　　ファイル・ディレクトリ単位関連項目\r\n\r\n"
           "　　　Directory2      ：" +
           docs +
           "\r\n"
           "　　　MirrorInterval  ：4294967235\r\n\r\n"
           "　　　MirrorLoadContr ：3\r\n\r\n"
           "　　　MirrorChacheSize：1\r\n\r\n"
           "　　　ForceMirror2    ：1\r\n"
           "　　　ForceOverWrite2 ：1\r\n"
           "　　　CheckSizeDrive  ：1\r\n"
           "　　　HDBackupDrive   ：0\r\n"
           "　　リムーバルブメディア類の動作項目\r\n\r\n"
           "　　　PCcardAuto      ：1\r\n"
           "　　　RemLoadControl  ：3\r\n\r\n"
           "　　　RemChacheSize   ：1\r\n\r\n"
           "　　　ForceMirror1    ：1\r\n"
           "　　　ForceOverWrite1 ：1\r\n"
           "　　　CheckSizeFolder ：1\r\n\r\n"
           "　ネットワークのパスワード\r\n\r\n"
           "　　User1：\x88\xd1\x51\r\n"
           "　　Pass1：\x99\r\n"
           "　　User2：\r\n"
           "　　Pass2：\r\n\r\n"
           "　　詳細設定項目\r\n\r\n"
           "　　Sound     ：1\r\n"
           "　　Navigation：1\r\n\r\n"
           "　　　IgnorTime       ：2\r\n"
           "　　　ExceptSubFolder ：0\r\n"
           "　　　ExceptDateFlag  ：0\r\n"
           "　　　ExceptDate      ：2005/7/1\r\n"
           "　　　ExceptReadOnly  ：0\r\n"
           "　　　ExceptHiddenFile：0\r\n"
           "　　　ExtFolder       ：0\r\n\r\n"
           "　　　ExecuteType     ：0\r\n"
           "　　　DateFolder      ：0\r\n"
           "　　　NoIdleSync      ：1\r\n\r\n"
           "　　　NoIdleMirror    ：1\r\n\r\n"
           "　　　NoIdleTime      ：5\r\n\r\n"
           "　　　USBCheck        ：1\r\n\r\n"
           "　　　USBCheckInterval：1\r\n\r\n"
           "　　　BeforeLogDate   ：31\r\n"
           "　　　IdleCheck       ：1\r\n\r\n"
           "　　　UseDustBox      ：1\r\n\r\n"
           "　Iniファイル設定項目\r\n\r\n"
           "\r\n　[FILE]\r\n\r\n"
           "　　/data/写真\r\n"
           "　　/data/文書\r\n"
           "　[EXCEPT]\r\n\r\n"
           "　[EXT]\r\n\r\n"
           "　　tmp\r\n"
           "\r\n　[INCEXT]\r\n\r\n";
}

TEST(SettingsDump, ListsRemovableFixedAndCdDrivesWithTheExactLayout) {
    SettingsWorld settings;
    const SettingsRecord record = DumpedRecord(settings);
    ScriptedPrompts prompts;
    ASSERT_TRUE(WriteSettingsDump(record, settings.world().programDir(), prompts));

    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(JoinPath(settings.world().programDir(), "tqconfig.txt"), &bytes));
    EXPECT_EQ(ExpectedDump(settings.world().locations().documentsDir), bytes);

    // The stored credential bytes give the plain ones back to anyone who has the program.
    ExpectOwnerOnlyFile(JoinPath(settings.world().programDir(), "tqconfig.txt"));
}

TEST(SettingsDump, AFileThatCannotBeWrittenIsReported) {
    SettingsWorld settings;
    ScriptedPrompts prompts;
    prompts.Expect("Tessaravine設定テキストファイル出力に失敗しました", "Error",
                   kMbOk | kMbIconExclamation, kIdOk);
    EXPECT_FALSE(
        WriteSettingsDump(SettingsRecord(), JoinPath(settings.world().base(), "missing"), prompts));
}

}  // namespace
}  // namespace tv::test
