// What the folder list shows of an entry that needs no shell: the size text of a file and the
// system folders it passes over.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace tv {

// The type column's text for a folder.
constexpr const char* kFolderListFolderType = "ファイル フォルダ";

// "%uGB" from 1 GB, else "%uMB" from 1 MB, else "%uKB" from 1 KB, each truncated; anything
// smaller, even an empty file, "1KB".
std::string FolderListSizeText(uint64_t bytes);

// The recycle bin, the volume information and the program's own system folder, when they
// carry the hidden or the system attribute.
bool IsPassedOverSystemFolder(const FileStatus& entry);

}  // namespace tv
