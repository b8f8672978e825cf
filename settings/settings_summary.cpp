#include "settings/settings_summary.h"

#include <cstdarg>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "settings/stored_units.h"
#include "settings/unit_options.h"

namespace tv {
namespace {

constexpr char kCrLf[] = "\r\n";
// The indent of the second and later entries of a list value: as wide as a label.
constexpr char kListIndent[] = "　　　　　　　　　　　　　　";

constexpr char kYes[] = "する";
constexpr char kNo[] = "しない";

__attribute__((format(printf, 1, 2))) std::string Format(const char* pattern, ...) {
    char text[256];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof(text), pattern, args);
    va_end(args);
    return text;
}

bool IsOn(int32_t flag) { return flag == 1; }
std::string Flag(int32_t flag) { return IsOn(flag) ? kYes : kNo; }
// Options that are worded as "do not …": 1 means the action is not taken.
std::string InverseFlag(int32_t flag) { return IsOn(flag) ? kNo : kYes; }
std::string Presence(int32_t flag) { return IsOn(flag) ? "あり" : "なし"; }
std::string Overwrite(int32_t flag) { return IsOn(flag) ? "上書きする" : "上書きしない"; }

std::string Interval(bool enabled, const DateTime& time) {
    const int minutes = MinutesOfTime(time);
    if (!enabled || !time.IsValid() || minutes == 0) return "設定なし";
    return Format("%02d時間%02d分毎に実施", time.Hour(), time.Minute());
}

// Runs clamp the buffer setting to 0 … 7 (32 KB to 4 MB); the summary shows the size they use.
std::string BufferSize(int32_t setting) {
    const int shift = setting < 0 ? 0 : (setting > 7 ? 7 : setting);
    return Format("%dKB", 32 << shift);
}

std::string ShutdownRun(int32_t executeType) {
    if (executeType == 1) return "今回のみ";
    if (executeType == 2) return "毎回";
    return kNo;
}

std::string OldFileExclusion(int32_t flag, const DateTime& date) {
    if (!IsOn(flag)) return kNo;
    return Format("%04d年%02d月%02d日より古いファイル", date.Year(), date.Month(), date.Day());
}

std::string UsbCheck(int32_t flag, int32_t interval) {
    if (!IsOn(flag) || interval <= 0) return "チェックしない";
    return Format("%d秒間隔でチェックする", interval);
}

std::string RemovableWork(DriveWork work) {
    if (work == DriveWork::AutoBackup) return "自動でバックアップ";
    if (work == DriveWork::ManualBackup) return "手動でバックアップ";
    return "バックアップしない";
}

class SummaryText {
  public:
    void Heading(const char* text) { text_ += std::string(text) + kCrLf + kCrLf; }
    void Line(const std::string& label, const std::string& value) {
        text_ += label + value + kCrLf;
    }
    void EmptyLine() { text_ += kCrLf; }
    // The first entry beside the label, the others below it; an empty list leaves the value empty.
    void Entries(const std::string& label, const std::vector<std::string>& entries) {
        text_ += label;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (i > 0) text_ += kListIndent;
            text_ += entries[i] + kCrLf;
        }
        if (entries.empty()) text_ += kCrLf;
    }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// The options every unit has, with the same wording in each block.
void SummarizeUnitOptions(const SettingsRecord& r, SettingsUnit unit, SummaryText& out) {
    const UnitOptions options = UnitOptionsOf(r, unit);
    out.Line("　負荷制御　　　　　　　　：", Format("%dms", options.loadControl));
    out.Line("　コピーバッファ　　　　　：", BufferSize(options.cacheSize));
    out.EmptyLine();
    out.Line("　転送先に無いファイル削除：", Flag(options.forceMirror));
    out.Line("　転送先が新しいファイル　：", Overwrite(options.forceOverWrite));
    out.Line("　転送元と同サイズをコピー：", InverseFlag(options.checkSize));
}

void SummarizeDriveUnit(const SettingsRecord& r, SummaryText& out) {
    out.Heading("ドライブ単位での設定");
    out.Line("　Synchronize実施　 　　　：", Flag(r.Synchronize));
    out.Line("　CD/DVD-ROMのコピー　　　：", InverseFlag(r.SyncNoCDCopy));
    out.Line("　転送先　　　　　　　　　：", r.SynchroDirectory);
    out.Line("　実行間隔　　　　　　　　：", Interval(IsOn(r.Synchronize), r.SyncInterval));
    SummarizeUnitOptions(r, SettingsUnit::DriveUnit, out);
    out.Line("　完全バックアップの動作　：",
             IsOn(r.SyncFullBackup) ? Format("%d回に１回は実行する", r.SyncFullBackupCount) : kNo);
    out.Line("　転送不要拡張子のコピー　：", InverseFlag(r.SyncNoExcExt));
    out.EmptyLine();
}

std::vector<std::string> ExistingEntries(const std::vector<std::string>& entries) {
    std::vector<std::string> existing;
    for (const std::string& entry : entries) {
        if (PathExists(entry)) existing.push_back(entry);
    }
    return existing;
}

std::vector<std::string> SourceDrives(const SettingsRecord& r) {
    std::vector<std::string> drives;
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const DriveEntry& drive = r.Drives[index];
        const bool wholeDriveKind = drive.Kind == kDriveFixed || drive.Kind == kDriveCdRom;
        if (wholeDriveKind && drive.Work == DriveWork::UnitSource) {
            drives.push_back(std::string(1, DriveLetterAt(index)) + ":");
        }
    }
    return drives;
}

void SummarizeFileDirUnit(const SettingsRecord& r, SummaryText& out) {
    out.Heading("ファイル・ディレクトリ単位での設定");
    out.Entries("　転送元File/Directory　　：", ExistingEntries(r.FileList));
    out.Line("　転送先　　　　　　　　　：", r.Directry2);
    out.Line("　実行間隔　　　　　　　　：", Interval(true, r.MirrorInterval));
    out.Entries("　転送元ドライブ　　　　　：", SourceDrives(r));
    out.EmptyLine();
    SummarizeUnitOptions(r, SettingsUnit::FileDir, out);
    out.EmptyLine();
}

void SummarizeRemovable(const SettingsRecord& r, SummaryText& out) {
    out.Heading("リムーバブルメディア類の動作設定");
    for (const DriveEntry& drive : r.Drives) {
        if (drive.Kind != kDriveRemovable) continue;
        out.Line("　" + drive.Name + "：", RemovableWork(drive.Work));
        out.Line("　転送先　　　　　　　　　：", drive.BackupDir);
    }
    out.Line("　対象リムーバブルメディアの自動バックアップ：", Flag(r.PCcardAuto));
    SummarizeUnitOptions(r, SettingsUnit::Removable, out);
    out.EmptyLine();
}

void SummarizeDetails(const SettingsRecord& r, SummaryText& out) {
    out.Heading("詳細設定");
    out.Line("　音声案内　　　　　　　　：", Presence(r.Sound));
    out.Line("　プログレスバー表示　　　：", Presence(r.Navigation));
    out.Line("　タイムスタンプの時差修正：", Format("%d秒", r.IgnorTime));
    out.Line("　Windows終了時に実施　　 ：", ShutdownRun(r.ExecuteType));
    out.EmptyLine();
    out.Entries("　除外するフォルダ　　　　：", r.ExceptList);
    out.Line("　サブフォルダも除外　　　：", Flag(r.ExceptSubFolder));
    out.Line("　基準日より古い物は除外　：", OldFileExclusion(r.ExceptDateFlag, r.ExceptDate));
    out.Line("　読取専用ファイルを除外　：", Flag(r.ExceptReadOnlyFile));
    out.Line("　隠しファイルを除外　　　：", Flag(r.ExceptHiddenFile));
    out.Entries("　転送対象外拡張子　　　　：", r.ExtList);
    out.Entries("　転送対象拡張子　　　　　：", r.IncExtList);
    out.Line("　拡張子別フォルダ作成　　：", Flag(r.ExtFolder));
    out.Line("　非アイドル時の遅延時間　：", Format("%d分", r.NoIdleTime));
    out.Line("　　FullSynchronize時 　　：", Flag(r.NoIdleSync));
    out.Line("　　File & Directory時 　 ：", Flag(r.NoIdleMirror));
    out.Line("　　USBメディアチェック   ：", UsbCheck(r.USBCheck, r.USBCheckInterval));
    out.Line("　　指定日以前のログ情報削除：",
             Format("%d日", DayCountOf(r.BeforeLogDate)) + "以前のログを削除します");
    out.Line("　　アイドル時に実行：", Flag(r.IdleCheck));
}

}  // namespace

std::string BuildSettingsSummary(const SettingsRecord& record) {
    SummaryText out;
    SummarizeDriveUnit(record, out);
    SummarizeFileDirUnit(record, out);
    SummarizeRemovable(record, out);
    SummarizeDetails(record, out);
    return out.text();
}

}  // namespace tv
