#include "platform/windows/folder_entry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/paths.h"
#include "platform/windows/wide_text.h"

namespace tv::detail {
namespace {

// A name NtCreateFile takes as one entry of the root folder: no separator of either kind, and
// no ':' (a stream of the entry before it).
bool IsEntryName(const std::string& name) {
    return IsPlainComponent(name) && name.find_first_of("\\:") == std::string::npos;
}

// The most a UNICODE_STRING holds, in UTF-16 code units.
constexpr size_t kMaxNameUnits = 32767;

// The name as NtCreateFile and the rename take it; false, with the last error set, when it is
// no entry name.
bool WideEntryName(const std::string& name, std::wstring* wide) {
    *wide = WideFromUtf8(name);
    if (IsEntryName(name) && wide->size() <= kMaxNameUnits) return true;
    SetLastError(ERROR_INVALID_NAME);
    return false;
}

}  // namespace

UniqueHandle OpenEntryIn(HANDLE folder, const std::string& name, const EntryOpen& open) {
    std::wstring wide;
    if (!WideEntryName(name, &wide)) return UniqueHandle();
    UNICODE_STRING objectName;
    objectName.Buffer = wide.data();
    objectName.Length = static_cast<USHORT>(wide.size() * sizeof(wchar_t));
    objectName.MaximumLength = objectName.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE handle = INVALID_HANDLE_VALUE;
    const NTSTATUS status =
        NtCreateFile(&handle, open.access, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL,
                     open.share, open.disposition, open.options, nullptr, 0);
    if (!NT_SUCCESS(status)) {
        SetLastError(RtlNtStatusToDosError(status));
        return UniqueHandle();
    }
    return UniqueHandle(handle);
}

UniqueHandle OpenEntryItselfIn(HANDLE folder, const std::string& name, EntryOpen open) {
    open.options |= FILE_OPEN_REPARSE_POINT;
    return OpenEntryIn(folder, name, open);
}

// The rename names its target relative to the folder, as the open did its source: both stay in
// the folder held, wherever its path leads by now.
bool RenameEntryIn(HANDLE folder, const std::string& from, const std::string& to) {
    std::wstring wide;
    if (!WideEntryName(to, &wide)) return false;
    EntryOpen open;
    open.access = DELETE | SYNCHRONIZE;
    const UniqueHandle entry = OpenEntryItselfIn(folder, from, open);
    if (!entry.valid()) return false;
    const size_t nameBytes = wide.size() * sizeof(wchar_t);
    // A short name still takes the whole structure: the call refuses less.
    std::vector<LONGLONG> buffer((std::max(offsetof(FILE_RENAME_INFORMATION, FileName) + nameBytes,
                                           sizeof(FILE_RENAME_INFORMATION)) +
                                  sizeof(LONGLONG) - 1) /
                                 sizeof(LONGLONG));
    auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = folder;
    rename->FileNameLength = static_cast<ULONG>(nameBytes);
    std::memcpy(rename->FileName, wide.data(), nameBytes);
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = NtSetInformationFile(
        entry.get(), &io, rename, static_cast<ULONG>(buffer.size() * sizeof(LONGLONG)),
        FileRenameInformation);
    if (NT_SUCCESS(status)) return true;
    SetLastError(RtlNtStatusToDosError(status));
    return false;
}

// An entry that cannot be looked at counts as one: it is refused wherever links are.
bool IsReparsePoint(HANDLE entry) {
    BY_HANDLE_FILE_INFORMATION info{};
    return !GetFileInformationByHandle(entry, &info) ||
           (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool MarkForDeletion(HANDLE entry) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition);
}

// Windows deletes no read-only entry: the attribute goes first, and comes back when the
// deletion fails all the same.
bool RemoveEntryIn(HANDLE folder, const std::string& name) {
    EntryOpen open;
    open.access = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
    const UniqueHandle entry = OpenEntryItselfIn(folder, name, open);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!entry.valid() || !GetFileInformationByHandle(entry.get(), &info)) return false;
    const DWORD attributes = info.dwFileAttributes;
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
        FILE_ATTRIBUTE_DIRECTORY) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !SetAttributesOf(entry.get(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        return false;
    }
    if (MarkForDeletion(entry.get())) return true;
    const DWORD error = GetLastError();
    if (readOnly) SetAttributesOf(entry.get(), attributes);
    SetLastError(error);
    return false;
}

}  // namespace tv::detail
