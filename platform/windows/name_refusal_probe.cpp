// What Windows refuses in names. Its file calls refuse " * : < > ? \ | and the control characters
// on every volume and share, and what the file system behind would hold besides (a trailing dot
// or space, a device name, both kept only under a \\?\ path) neither Explorer nor most programs
// can reach again: all of them are refused here, with nothing to find out by trying names, so no
// probe folder is made. A probe folder that a run on Linux left on a medium is still removed.
#include <vector>

#include "platform/file_system.h"
#include "platform/name_refusals.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/folder_entry.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

// The names the open folder lists, "." and ".." left out.
std::vector<std::string> NamesIn(HANDLE folder) {
    std::vector<std::string> names;
    std::vector<LONGLONG> buffer(64 * 1024 / sizeof(LONGLONG));
    const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(LONGLONG));
    while (GetFileInformationByHandleEx(folder, FileIdBothDirectoryInfo, buffer.data(), size)) {
        const auto* bytes = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
            const std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (!IsDotEntry(name)) names.push_back(detail::Utf8FromWide(name));
            if (entry->NextEntryOffset == 0) break;
            bytes += entry->NextEntryOffset;
        }
    }
    return names;
}

}  // namespace

bool HoldsEveryName(const std::string& /*folder*/) { return false; }

NameRefusals FindNameRefusals(const OpenFolder& folder, const std::string& /*probeName*/) {
    NameRefusals refusals;
    if (!folder.IsOpen()) return refusals;
    for (int c = 1; c < 128; ++c) {
        refusals.characters[c] = IsMappableCharacter(static_cast<char>(c));
    }
    refusals.trailingDot = true;
    refusals.trailingSpace = true;
    refusals.deviceNames = true;
    return refusals;
}

// The probe is opened itself, never through a link, and goes once the files and links in it
// are gone; a folder inside keeps it.
bool RemoveNameProbe(const OpenFolder& folder, const std::string& name) {
    if (!folder.IsOpen()) return false;
    detail::EntryOpen open;
    open.access = DELETE | FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    open.options = FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT;
    const detail::UniqueHandle probe =
        detail::OpenEntryItselfIn(detail::HandleOfDescriptor(folder.fd_), name, open);
    if (!probe.valid() || detail::IsReparsePoint(probe.get())) return false;
    for (const std::string& entry : NamesIn(probe.get())) detail::RemoveEntryIn(probe.get(), entry);
    return detail::MarkForDeletion(probe.get());
}

}  // namespace tv
