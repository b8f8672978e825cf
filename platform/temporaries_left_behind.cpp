// The temporary files of replacements that never finished, cleared away by their owner.
#include "platform/file_system.h"

namespace tv {

void RemoveTemporariesBesideIn(const std::string& folder) {
    OpenFolder open;
    DirectoryEnumerator entries;
    if (!open.OpenBelow(folder, folder) ||
        !entries.OpenIn(open, DirectoryEnumerator::Entries::Names)) {
        return;
    }
    FileStatus entry;
    while (entries.Next(&entry)) {
        FileIdentity found;
        if (IsTemporaryBesideName(entry.name) && open.EntryIdentity(entry.name, &found) &&
            found.IsRegularFile() && found.IsOwnedByThisUser()) {
            open.RemoveFile(entry.name);
        }
    }
}

}  // namespace tv
