#include "settings/settings_dump.h"

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/credential_cipher.h"
#include "settings/stored_units.h"

namespace tv {
namespace {

constexpr char kDumpFailedText[] = "Tessaravine設定テキストファイル出力に失敗しました";
constexpr char kDumpFailedCaption[] = "Error";
// Indents of the value lines, in full-width spaces.
constexpr char kTwo[] = "　　";
constexpr char kThree[] = "　　　";
// Widths of the name column, in characters.
constexpr size_t kDirectoryColumn = 14;
constexpr size_t kMirroringColumn = 16;
constexpr size_t kSoundColumn = 10;

// Single line end, or a line end followed by an empty line.
constexpr char kEnd[] = "\n";
constexpr char kGap[] = "\n\n";

std::string Unsigned(int32_t value) { return std::to_string(static_cast<uint32_t>(value)); }

std::string Padded(const std::string& name, size_t width) {
    return name.size() < width ? name + std::string(width - name.size(), ' ') : name;
}

// The stored form of a credential as C text: up to its first zero byte.
std::string EncryptedText(const std::string& plain) {
    std::string stored = plain;
    CredentialCipher cipher;
    cipher.Open();
    cipher.Encrypt(&stored);
    return stored.substr(0, stored.find('\0'));
}

class DumpText {
  public:
    void Line(const std::string& text) { text_ += text; }
    void Value(const char* indent, const std::string& name, size_t width, const std::string& value,
               const char* end) {
        text_ += indent + Padded(name, width) + "：" + value + end;
    }
    void Mirroring(const std::string& name, int32_t value, const char* end) {
        Value(kThree, name, kMirroringColumn, Unsigned(value), end);
    }
    void MirroringText(const std::string& name, const std::string& value, const char* end) {
        Value(kThree, name, kMirroringColumn, value, end);
    }
    void Entries(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) text_ += kTwo + entry + kEnd;
    }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// Only removable, fixed and CD-ROM drives are listed; the backup folder only for removable ones.
void DumpDirectory(const SettingsRecord& r, DumpText& out) {
    out.Line("　Directory\n\n");
    out.Value(kTwo, "LastDrive", kDirectoryColumn, Unsigned(r.LastDrive), kEnd);
    out.Value(kTwo, "ValidDrive", kDirectoryColumn, Unsigned(static_cast<int32_t>(r.ValidDrive)),
              kEnd);
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const DriveEntry& drive = r.Drives[index];
        if (drive.Kind != kDriveRemovable && drive.Kind != kDriveFixed &&
            drive.Kind != kDriveCdRom) {
            continue;
        }
        const std::string letter(1, DriveLetterAt(index));
        out.Value(kTwo, letter, kDirectoryColumn, drive.Name, kEnd);
        out.Value(kTwo, letter + "_kind", kDirectoryColumn, Unsigned(drive.Kind), kEnd);
        out.Value(kTwo, letter + "_work", kDirectoryColumn,
                  Unsigned(static_cast<int32_t>(drive.Work)), kEnd);
        if (drive.Kind == kDriveRemovable) {
            out.Value(kTwo, letter + "_backup_dir", kDirectoryColumn, drive.BackupDir, kEnd);
        }
    }
    out.Value(kTwo, "HardDiskNumber", kDirectoryColumn, Unsigned(r.HardDiskNumber), kGap);
}

void DumpDriveUnit(const SettingsRecord& r, DumpText& out) {
    out.Line("　Mirroring\n\n");
    out.Line("　　ドライブ単位関連項目\n\n");
    out.Mirroring("Synchronize", r.Synchronize, kEnd);
    out.Mirroring("SyncNoCDCopy", r.SyncNoCDCopy, kEnd);
    out.MirroringText("SynchroDirectory", r.SynchroDirectory, kEnd);
    out.Mirroring("SyncInterval", MinutesOfTime(r.SyncInterval), kGap);
    out.Mirroring("SyncLoadControl", r.SyncLoadControl, kGap);
    out.Mirroring("SyncChacheSize", r.SyncChacheSize, kGap);
    out.Mirroring("SyncForceMirror", r.SyncForceMirror, kGap);
    out.Mirroring("SyncForceOverWrt", r.SyncForceOverWrite, kGap);
    out.Mirroring("SyncCheckSize", r.SyncCheckSize, kGap);
    out.Mirroring("SyncFullBackup", r.SyncFullBackup, kGap);
    out.Mirroring("SyncFullBKCount", r.SyncFullBackupCount, kGap);
    out.Mirroring("SyncNoExcExtCopy", r.SyncNoExcExt, kEnd);
}

void DumpFileDirUnit(const SettingsRecord& r, DumpText& out) {
    out.Line("　　ファイル・ディレクトリ単位関連項目\n\n");
    out.MirroringText("Directory2", r.Directry2, kEnd);
    out.Mirroring("MirrorInterval", MinutesOfTime(r.MirrorInterval), kGap);
    out.Mirroring("MirrorLoadContr", r.MirrorLoadControl, kGap);
    out.Mirroring("MirrorChacheSize", r.MirrorChacheSize, kGap);
    out.Mirroring("ForceMirror2", r.ForceMirror2, kEnd);
    out.Mirroring("ForceOverWrite2", r.ForceOverWrite2, kEnd);
    out.Mirroring("CheckSizeDrive", r.CheckSizeDrive, kEnd);
    out.Mirroring("HDBackupDrive", r.HDBackupDrive, kEnd);
}

void DumpRemovable(const SettingsRecord& r, DumpText& out) {
    out.Line("　　リムーバルブメディア類の動作項目\n\n");
    out.Mirroring("PCcardAuto", r.PCcardAuto, kEnd);
    out.Mirroring("RemLoadControl", r.RemLoadControl, kGap);
    out.Mirroring("RemChacheSize", r.RemChacheSize, kGap);
    out.Mirroring("ForceMirror1", r.ForceMirror1, kEnd);
    out.Mirroring("ForceOverWrite1", r.ForceOverWrite1, kEnd);
    out.Mirroring("CheckSizeFolder", r.CheckSizeFolder, kGap);
}

void DumpNetwork(const SettingsRecord& r, DumpText& out) {
    out.Line("　ネットワークのパスワード\n\n");
    out.Value(kTwo, "User1", 0, EncryptedText(r.User1), kEnd);
    out.Value(kTwo, "Pass1", 0, EncryptedText(r.Pass1), kEnd);
    out.Value(kTwo, "User2", 0, EncryptedText(r.User2), kEnd);
    out.Value(kTwo, "Pass2", 0, EncryptedText(r.Pass2), kGap);
}

std::string DateParts(const DateTime& date) {
    return std::to_string(date.Year()) + "/" + std::to_string(date.Month()) + "/" +
           std::to_string(date.Day());
}

void DumpDetails(const SettingsRecord& r, DumpText& out) {
    out.Line("　　詳細設定項目\n\n");
    out.Value(kTwo, "Sound", kSoundColumn, Unsigned(r.Sound), kEnd);
    out.Value(kTwo, "Navigation", kSoundColumn, Unsigned(r.Navigation), kGap);
    out.Mirroring("IgnorTime", r.IgnorTime, kEnd);
    out.Mirroring("ExceptSubFolder", r.ExceptSubFolder, kEnd);
    out.Mirroring("ExceptDateFlag", r.ExceptDateFlag, kEnd);
    out.MirroringText("ExceptDate", DateParts(r.ExceptDate), kEnd);
    out.Mirroring("ExceptReadOnly", r.ExceptReadOnlyFile, kEnd);
    out.Mirroring("ExceptHiddenFile", r.ExceptHiddenFile, kEnd);
    out.Mirroring("ExtFolder", r.ExtFolder, kGap);
    out.Mirroring("ExecuteType", r.ExecuteType, kEnd);
    out.Mirroring("DateFolder", r.DateFolder, kEnd);
    out.Mirroring("NoIdleSync", r.NoIdleSync, kGap);
    out.Mirroring("NoIdleMirror", r.NoIdleMirror, kGap);
    out.Mirroring("NoIdleTime", r.NoIdleTime, kGap);
    out.Mirroring("USBCheck", r.USBCheck, kGap);
    out.Mirroring("USBCheckInterval", r.USBCheckInterval, kGap);
    out.MirroringText("BeforeLogDate", std::to_string(DayCountOf(r.BeforeLogDate)), kEnd);
    out.Mirroring("IdleCheck", r.IdleCheck, kGap);
    out.Mirroring("UseDustBox", r.UseDustBox, kGap);
}

void DumpLists(const SettingsRecord& r, DumpText& out) {
    out.Line("　Iniファイル設定項目\n\n");
    out.Line("\n　[FILE]\n\n");
    out.Entries(r.FileList);
    out.Line("　[EXCEPT]\n\n");
    out.Entries(r.ExceptList);
    out.Line("　[EXT]\n\n");
    out.Entries(r.ExtList);
    out.Line("\n　[INCEXT]\n\n");
    out.Entries(r.IncExtList);
}

std::string WithCrLf(const std::string& text) {
    std::string converted;
    converted.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

}  // namespace

std::string SettingsDumpText(const SettingsRecord& record) {
    DumpText out;
    out.Line("レジストリの設定内容\n\n");
    DumpDirectory(record, out);
    DumpDriveUnit(record, out);
    DumpFileDirUnit(record, out);
    DumpRemovable(record, out);
    DumpNetwork(record, out);
    DumpDetails(record, out);
    DumpLists(record, out);
    return out.text();
}

// The report holds the stored credential bytes, which the program's fixed key turns back into
// the plain ones: only the owner may read it, like the registry file.
bool WriteSettingsDump(const SettingsRecord& record, const std::string& programDir,
                       Prompts& prompts) {
    const std::string path = JoinPath(programDir, kSettingsDumpFileName);
    if (WriteFileAtomically(path, WithCrLf(SettingsDumpText(record)), FileAccess::OwnerOnly)) {
        return true;
    }
    prompts.MessageBox(kDumpFailedText, kDumpFailedCaption, kMbOk | kMbIconExclamation);
    return false;
}

}  // namespace tv
