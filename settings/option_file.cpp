#include "settings/option_file.h"

#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "settings/option_body.h"

namespace tv {
namespace {

constexpr char kNotAnOptionFileText[] = "Tessaravineのオプションファイルではありません";
constexpr char kNotAnOptionFileCaption[] = "情報";

// Far above any real configuration; a larger file is not read into memory at all.
constexpr int64_t kMaxOptionFileBytes = 64 * 1024 * 1024;

enum class ReadResult { Read, CannotOpen, TooLarge };

ReadResult ReadOptionFile(const std::string& path, std::string* bytes) {
    File file;
    if (!file.OpenForRead(path, false, true)) return ReadResult::CannotOpen;
    const int64_t size = file.Size();
    if (size < 0) return ReadResult::CannotOpen;
    if (size > kMaxOptionFileBytes) return ReadResult::TooLarge;
    bytes->resize(static_cast<size_t>(size));
    const int64_t read = file.Read(bytes->data(), bytes->size());
    if (read < 0) return ReadResult::CannotOpen;
    bytes->resize(static_cast<size_t>(read));
    return ReadResult::Read;
}

bool HasHeader(const std::string& bytes) {
    return bytes.compare(0, kOptionFileHeaderBytes, kOptionFileHeader) == 0;
}

// Bytes after the body are left alone, as a reader of one body needs no more.
bool ReadBodyAfterHeader(const std::string& bytes, SettingsRecord& record) {
    size_t offset = kOptionFileHeaderBytes;
    return ReadOptionBody(bytes, &offset, record);
}

}  // namespace

bool OptionFileBytes(const SettingsRecord& record, std::string* bytes) {
    std::string file(kOptionFileHeader, kOptionFileHeaderBytes);
    if (!WriteOptionBody(record, &file)) return false;
    *bytes = std::move(file);
    return true;
}

// The file holds the credentials, so only its owner may read it.
bool ExportOptions(const SettingsRecord& record, const std::string& path) {
    std::string bytes;
    return OptionFileBytes(record, &bytes) &&
           WriteFileAtomically(path, bytes, FileAccess::OwnerOnly);
}

bool ImportOptions(const std::string& path, SettingsRecord& record, Prompts& prompts) {
    std::string bytes;
    const ReadResult result = ReadOptionFile(path, &bytes);
    if (result == ReadResult::CannotOpen) return false;
    if (result == ReadResult::Read && HasHeader(bytes) && ReadBodyAfterHeader(bytes, record)) {
        return true;
    }
    prompts.MessageBox(kNotAnOptionFileText, kNotAnOptionFileCaption, kMbOk | kMbIconExclamation);
    return false;
}

}  // namespace tv
