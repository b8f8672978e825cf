// The entries of a folder held open, reached by their names relative to its handle (NtCreateFile
// with the folder as the root directory), so that what the folder's path leads to by now does
// not matter.
#pragma once

#include <winternl.h>

#include <string>

#include "platform/windows/file_handle.h"

namespace tv::detail {

// What NtCreateFile is asked for.
struct EntryOpen {
    ACCESS_MASK access = FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    ULONG disposition = FILE_OPEN;
    ULONG options = FILE_SYNCHRONOUS_IO_NONALERT;
};

// Opens the entry name of folder. Only a plain name is taken: one with a separator or a ':'
// (which would name a stream) is refused. The last error is set when it fails.
UniqueHandle OpenEntryIn(HANDLE folder, const std::string& name, const EntryOpen& open);
// Opens the entry name of folder itself, a symbolic link or junction as itself.
UniqueHandle OpenEntryItselfIn(HANDLE folder, const std::string& name, EntryOpen open);
// Whether the open entry is a reparse point: a symbolic link, a junction, a mounted folder.
bool IsReparsePoint(HANDLE entry);
// Gives the entry from of folder (a link as itself) the name to in the same folder; a file of
// that name gives it up.
bool RenameEntryIn(HANDLE folder, const std::string& from, const std::string& to);
// Deletes the open entry once its last handle is closed; an entry (a folder) that cannot go
// is refused at once.
bool MarkForDeletion(HANDLE entry);
// Deletes the entry name of folder, a file or a link (never a folder), read-only or not.
bool RemoveEntryIn(HANDLE folder, const std::string& name);

}  // namespace tv::detail
