// Deletion "to the recycle bin": the freedesktop.org trash. The home trash takes the entries of
// the home volume, the volume's own trash those of any other. An entry only ever moves into a
// trash by a rename on its own volume: one that no trash can take stays where it is.
#pragma once

#include <string>

namespace tv {

class OpenFolder;

// Moves the entry name of folder (a file, a folder with its contents, or a link, never followed)
// into the trash, recorded as coming from folder's path. The entry is taken from the folder
// held open, so a link put on the way to it since cannot lead the move elsewhere. False, with
// the entry left in place, when no trash can take it. trashFolder, when given, learns the
// folder the entry went into (whose sync makes the move durable, with folder's).
bool MoveEntryToTrash(const OpenFolder& folder, const std::string& name,
                      std::string* trashFolder = nullptr);
// MoveEntryToTrash of the entry path names, through its folder as that path reaches it.
bool MoveToTrash(const std::string& path);

}  // namespace tv
