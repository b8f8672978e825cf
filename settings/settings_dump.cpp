#include "settings/settings_dump.h"

#include <string_view>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "settings/credential_cipher.h"
#include "settings/registry_sections.h"
#include "settings/setting_fields.h"
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

// The name column of a section: its indent and width in characters.
struct Column {
    const char* indent;
    size_t width;
};

Column ColumnOf(const char* section) {
    const std::string_view name = section ? section : "";
    if (name == kSectionDirectory) return {kTwo, kDirectoryColumn};
    if (name == kSectionSound) return {kTwo, kSoundColumn};
    if (name == kSectionNetwork) return {kTwo, 0};
    return {kThree, kMirroringColumn};
}

std::string DateParts(const DateTime& date) {
    return std::to_string(date.Year()) + "/" + std::to_string(date.Month()) + "/" +
           std::to_string(date.Day());
}

class DumpText {
  public:
    void Line(const std::string& text) { text_ += text; }
    void Value(const Column& column, const std::string& name, const std::string& value,
               const char* end) {
        text_ += column.indent + Padded(name, column.width) + "：" + value + end;
    }
    void Entries(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) text_ += kTwo + entry + kEnd;
    }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// Only removable, fixed and CD-ROM drives are listed; the backup folder only for removable ones.
void DumpDriveTable(const SettingsRecord& r, const Column& column, DumpText& out) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const DriveEntry& drive = r.Drives[index];
        if (drive.Kind != kDriveRemovable && drive.Kind != kDriveFixed &&
            drive.Kind != kDriveCdRom) {
            continue;
        }
        const std::string letter(1, DriveLetterAt(index));
        out.Value(column, letter, drive.Name, kEnd);
        out.Value(column, letter + "_kind", Unsigned(drive.Kind), kEnd);
        out.Value(column, letter + "_work", Unsigned(static_cast<int32_t>(drive.Work)), kEnd);
        if (drive.Kind == kDriveRemovable) {
            out.Value(column, letter + "_backup_dir", drive.BackupDir, kEnd);
        }
    }
}

// The value of a field as the report shows it; the drive table and the lists show themselves.
std::string ValueText(const SettingField& field, const SettingsRecord& r) {
    switch (field.kind) {
        case FieldKind::Int:
            return Unsigned(r.*field.As<int32_t>());
        case FieldKind::Mask:
            return std::to_string(r.*field.As<uint32_t>());
        case FieldKind::Text:
            return r.*field.As<std::string>();
        case FieldKind::Time:
            return Unsigned(MinutesOfTime(r.*field.As<DateTime>()));
        case FieldKind::Date:
            return DateParts(r.*field.As<DateTime>());
        case FieldKind::DayCount:
            return std::to_string(DayCountOf(r.*field.As<DateTime>()));
        case FieldKind::Credential:
            return EncryptedText(r.*field.As<std::string>());
        case FieldKind::List:
        case FieldKind::DriveTable:
            break;
    }
    return {};
}

void DumpField(const SettingField& field, const SettingsRecord& r, DumpText& out) {
    if (field.reportHeading) out.Line(field.reportHeading);
    const Column column = ColumnOf(field.section);
    if (field.kind == FieldKind::List) {
        out.Entries(r.*field.As<std::vector<std::string>>());
    } else if (field.kind == FieldKind::DriveTable) {
        DumpDriveTable(r, column, out);
    } else {
        out.Value(column, field.ReportLabel(), ValueText(field, r),
                  field.reportEnd == ReportEnd::Gap ? kGap : kEnd);
    }
}

// A field, then the fields the report shows after it.
void DumpFrom(const SettingField& field, const SettingsRecord& r, DumpText& out) {
    DumpField(field, r, out);
    for (const SettingField& next : SettingFields()) {
        if (next.reportEnd != ReportEnd::Hidden && next.reportAfter &&
            std::string(next.reportAfter) == field.name) {
            DumpFrom(next, r, out);
        }
    }
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
    for (const SettingField& field : SettingFields()) {
        if (field.reportEnd != ReportEnd::Hidden && !field.reportAfter) {
            DumpFrom(field, record, out);
        }
    }
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
