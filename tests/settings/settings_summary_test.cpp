#include "settings/settings_summary.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/settings/settings_world.h"

namespace tv::test {
namespace {

constexpr char kIndent[] = "　　　　　　　　　　　　　　";  // 14 full-width spaces

class SettingsSummaryTest : public ::testing::Test {
  protected:
    SettingsSummaryTest() {
        settings_.world().AddDrive('A', kDriveRemovable);
        settings_.world().AddDrive('C', kDriveFixed, 0x1234, "システム");
        settings_.world().AddDrive('D', kDriveCdRom);
        settings_.world().AddDrive('E', kDriveRemovable, 0x5678, "カード");
        record_ = DefaultSettings(settings_.context());
        record_.Drives['C' - 'A'].Work = DriveWork::UnitSource;
        record_.Drives['E' - 'A'].Work = DriveWork::NoBackup;
        docs_ = settings_.world().locations().documentsDir;
    }

    SettingsWorld settings_;
    SettingsRecord record_;
    std::string docs_;
};

TEST_F(SettingsSummaryTest, TheDefaultsInWords) {
    const std::string photos = settings_.world().MakeFolder("写真");
    settings_.world().Write(settings_.world().base(), Tree{{"memo.txt", TreeFile{"memo"}}});
    const std::string memo = JoinPath(settings_.world().base(), "memo.txt");
    record_.FileList = {photos, JoinPath(settings_.world().base(), "消えた"), memo};

    const std::string expected =
        "ドライブ単位での設定\r\n\r\n"
        "　Synchronize実施　 　　　：しない\r\n"
        "　CD/DVD-ROMのコピー　　　：する\r\n"
        "　転送先　　　　　　　　　：" +
        docs_ +
        "\r\n"
        "　実行間隔　　　　　　　　：設定なし\r\n"
        "　負荷制御　　　　　　　　：3ms\r\n"
        "　コピーバッファ　　　　　：64KB\r\n\r\n"
        "　転送先に無いファイル削除：する\r\n"
        "　転送先が新しいファイル　：上書きする\r\n"
        "　転送元と同サイズをコピー：しない\r\n"
        "　完全バックアップの動作　：10回に１回は実行する\r\n"
        "　転送不要拡張子のコピー　：する\r\n\r\n"
        "ファイル・ディレクトリ単位での設定\r\n\r\n"
        "　転送元File/Directory　　：" +
        photos + "\r\n" + kIndent + memo +
        "\r\n"
        "　転送先　　　　　　　　　：" +
        docs_ +
        "\r\n"
        "　実行間隔　　　　　　　　：設定なし\r\n"
        "　転送元ドライブ　　　　　：C:\r\n\r\n"
        "　負荷制御　　　　　　　　：3ms\r\n"
        "　コピーバッファ　　　　　：64KB\r\n\r\n"
        "　転送先に無いファイル削除：する\r\n"
        "　転送先が新しいファイル　：上書きする\r\n"
        "　転送元と同サイズをコピー：しない\r\n\r\n"
        "リムーバブルメディア類の動作設定\r\n\r\n"
        "　リムーバブル ディスク (A:)：手動でバックアップ\r\n"
        "　転送先　　　　　　　　　：" +
        docs_ +
        "/RMA\r\n"
        "　カード (E:)：バックアップしない\r\n"
        "　転送先　　　　　　　　　：" +
        docs_ +
        "/RME\r\n"
        "　対象リムーバブルメディアの自動バックアップ：する\r\n"
        "　負荷制御　　　　　　　　：3ms\r\n"
        "　コピーバッファ　　　　　：64KB\r\n\r\n"
        "　転送先に無いファイル削除：する\r\n"
        "　転送先が新しいファイル　：上書きする\r\n"
        "　転送元と同サイズをコピー：しない\r\n\r\n"
        "詳細設定\r\n\r\n"
        "　音声案内　　　　　　　　：あり\r\n"
        "　プログレスバー表示　　　：あり\r\n"
        "　タイムスタンプの時差修正：2秒\r\n"
        "　Windows終了時に実施　　 ：しない\r\n\r\n"
        "　除外するフォルダ　　　　：\r\n"
        "　サブフォルダも除外　　　：しない\r\n"
        "　基準日より古い物は除外　：しない\r\n"
        "　読取専用ファイルを除外　：しない\r\n"
        "　隠しファイルを除外　　　：しない\r\n"
        "　転送対象外拡張子　　　　：\r\n"
        "　転送対象拡張子　　　　　：\r\n"
        "　拡張子別フォルダ作成　　：しない\r\n"
        "　非アイドル時の遅延時間　：5分\r\n"
        "　　FullSynchronize時 　　：する\r\n"
        "　　File & Directory時 　 ：する\r\n"
        "　　USBメディアチェック   ：1秒間隔でチェックする\r\n"
        "　　指定日以前のログ情報削除：31日以前のログを削除します\r\n"
        "　　アイドル時に実行：する\r\n";
    EXPECT_EQ(expected, BuildSettingsSummary(record_));
}

TEST_F(SettingsSummaryTest, WordingOfEachKindOfValue) {
    struct Case {
        const char* name;
        std::function<void(SettingsRecord&)> change;
        std::string line;  // must appear as it is, line ends included
    };
    const DateTime t0130 = DateTime::FromTime(1, 30);
    const Case cases[] = {
        {"drive unit on", [](SettingsRecord& r) { r.Synchronize = 1; },
         "　Synchronize実施　 　　　：する\r\n"},
        {"interval while the drive unit is off", [&](SettingsRecord& r) { r.SyncInterval = t0130; },
         "\r\n　実行間隔　　　　　　　　：設定なし\r\n　負荷制御"},
        {"interval while the drive unit is on",
         [&](SettingsRecord& r) { r.Synchronize = 1, r.SyncInterval = t0130; },
         "　実行間隔　　　　　　　　：01時間30分毎に実施\r\n"},
        {"unset interval while on",
         [](SettingsRecord& r) { r.Synchronize = 1, r.SyncInterval = DateTime::Invalid(); },
         "\r\n　実行間隔　　　　　　　　：設定なし\r\n　負荷制御"},
        {"file/directory interval",
         [](SettingsRecord& r) { r.MirrorInterval = DateTime::FromTime(23, 5); },
         "　実行間隔　　　　　　　　：23時間05分毎に実施\r\n　転送元ドライブ"},
        {"no CD copy", [](SettingsRecord& r) { r.SyncNoCDCopy = 1; },
         "　CD/DVD-ROMのコピー　　　：しない\r\n"},
        {"largest buffer", [](SettingsRecord& r) { r.SyncChacheSize = 7; },
         "　コピーバッファ　　　　　：4096KB\r\n"},
        {"buffer setting out of range", [](SettingsRecord& r) { r.SyncChacheSize = 40; },
         "　コピーバッファ　　　　　：4096KB\r\n"},
        {"no overwrite", [](SettingsRecord& r) { r.ForceOverWrite2 = 0; },
         "　転送先が新しいファイル　：上書きしない\r\n"},
        {"same size copied", [](SettingsRecord& r) { r.CheckSizeFolder = 0; },
         "　転送元と同サイズをコピー：する\r\n\r\n詳細設定"},
        {"full backup every 5 runs", [](SettingsRecord& r) { r.SyncFullBackupCount = 5; },
         "　完全バックアップの動作　：5回に１回は実行する\r\n"},
        {"no full backup", [](SettingsRecord& r) { r.SyncFullBackup = 0; },
         "　完全バックアップの動作　：しない\r\n"},
        {"no extension copy", [](SettingsRecord& r) { r.SyncNoExcExt = 1; },
         "　転送不要拡張子のコピー　：しない\r\n"},
        {"no automatic removable backup", [](SettingsRecord& r) { r.PCcardAuto = 0; },
         "　対象リムーバブルメディアの自動バックアップ：しない\r\n"},
        {"automatic backup of a card",
         [](SettingsRecord& r) { r.Drives['E' - 'A'].Work = DriveWork::AutoBackup; },
         "　カード (E:)：自動でバックアップ\r\n"},
        {"voice off", [](SettingsRecord& r) { r.Sound = 0; },
         "　音声案内　　　　　　　　：なし\r\n"},
        {"progress bar off", [](SettingsRecord& r) { r.Navigation = 0; },
         "　プログレスバー表示　　　：なし\r\n"},
        {"at shutdown this time only", [](SettingsRecord& r) { r.ExecuteType = 1; },
         "　Windows終了時に実施　　 ：今回のみ\r\n"},
        {"at every shutdown", [](SettingsRecord& r) { r.ExecuteType = 2; },
         "　Windows終了時に実施　　 ：毎回\r\n"},
        {"excluded folders",
         [](SettingsRecord& r) {
             r.ExceptList = {"/tmp/a", "/tmp/b", "/tmp/c"};
         },
         std::string("　除外するフォルダ　　　　：/tmp/a\r\n") + kIndent + "/tmp/b\r\n" + kIndent +
             "/tmp/c\r\n　サブフォルダも除外"},
        {"subfolders excluded", [](SettingsRecord& r) { r.ExceptSubFolder = 1; },
         "　サブフォルダも除外　　　：する\r\n"},
        {"old files excluded",
         [](SettingsRecord& r) {
             r.ExceptDateFlag = 1, r.ExceptDate = DateTime::FromParts(2005, 7, 1);
         },
         "　基準日より古い物は除外　：2005年07月01日より古いファイル\r\n"},
        {"extension lists",
         [](SettingsRecord& r) {
             r.ExtList = {"tmp", "bak"}, r.IncExtList = {"doc"};
         },
         std::string("　転送対象外拡張子　　　　：tmp\r\n") + kIndent +
             "bak\r\n　転送対象拡張子　　　　　：doc\r\n"},
        {"USB check without an interval", [](SettingsRecord& r) { r.USBCheckInterval = 0; },
         "　　USBメディアチェック   ：チェックしない\r\n"},
        {"USB check off", [](SettingsRecord& r) { r.USBCheck = 0, r.USBCheckInterval = 30; },
         "　　USBメディアチェック   ：チェックしない\r\n"},
        {"log days", [](SettingsRecord& r) { r.BeforeLogDate = DateTime::FromParts(2000, 1, 7); },
         "　　指定日以前のログ情報削除：7日以前のログを削除します\r\n"},
        {"idle check off", [](SettingsRecord& r) { r.IdleCheck = 0; },
         "　　アイドル時に実行：しない\r\n"},
        {"no source drive",
         [](SettingsRecord& r) { r.Drives['C' - 'A'].Work = DriveWork::NotSource; },
         "　転送元ドライブ　　　　　：\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SettingsRecord record = record_;
        c.change(record);
        const std::string summary = BuildSettingsSummary(record);
        EXPECT_NE(std::string::npos, summary.find(c.line)) << c.name << "\n" << summary;
    }
}

}  // namespace
}  // namespace tv::test
