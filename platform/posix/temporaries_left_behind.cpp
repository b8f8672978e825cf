#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "platform/temporary_names.h"

namespace tv {

bool File::CreateTemporaryBeside(const std::string& target, std::string* temporaryPath,
                                 uint32_t mode) {
    Close();
    // An unreachable network path must not turn into a file in the current folder.
    const std::string path = ToLocalPath(target);
    if (path.empty()) return false;
    const std::string stem = TemporaryBesideStem(path);
    // Made by the kernel with the mask applied, as any new file, so that what the folder's
    // default access list or the process's mask keeps out is kept out of the temporary too.
    for (int attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
        const std::string name = stem + RandomTemporaryPart();
        if (CreateNewForWrite(name, /*exclusive=*/false, /*sequential=*/false, mode)) {
            *temporaryPath = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

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
            found.IsRegularFile() && found.owner == ::geteuid()) {
            open.RemoveFile(entry.name);
        }
    }
}

}  // namespace tv
