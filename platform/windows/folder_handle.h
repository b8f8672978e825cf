// Folders held open by handle, and the node a handle has open: what the folder walk and the
// identities of a path's ancestors climb with.
#pragma once

#include <string>

#include "platform/node_identity.h"
#include "platform/windows/file_handle.h"

namespace tv::detail {

// The volume's serial and the file's index on it, with its attributes when asked for; false when
// the handle cannot be looked at.
bool NodeOfHandle(HANDLE handle, NodeIdentity* node, DWORD* attributes = nullptr);

// Opens the entry name of the open folder as a folder (the name is one level, no separator),
// relative to the folder's handle and without following a reparse point: one is opened as itself.
UniqueHandle OpenFolderEntry(HANDLE folder, const std::string& name, DWORD access);

// Opens the folder above the one handle has open, found by the open folder's own path as the
// system resolved it (every link on the way already followed, so its parent is the real one),
// and kept only while the open folder is still an entry of it. Invalid at the root of a drive or
// a share, or when the folder above cannot be opened.
UniqueHandle OpenFolderAbove(HANDLE folder, DWORD access);

}  // namespace tv::detail
