#include "engine/leftover_copies.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "engine/run_context.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

bool IsTemporaryCopyName(const std::string& name) {
    return name.compare(0, std::strlen(kTemporaryCopyPrefix), kTemporaryCopyPrefix) == 0;
}

std::string TemporaryCopyPathBeside(const std::string& destination) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, "%s%016llx", kTemporaryCopyPrefix,
                  static_cast<unsigned long long>(generator()));
    return JoinPath(ContainingFolder(destination), name);
}

bool RemoveLeftoverCopy(const std::string& path) {
    const std::string folderPath = ContainingFolder(path);
    OpenFolder folder;
    return folder.OpenBelow(folderPath, folderPath) &&
           RemoveLeftoverCopyIn(folder, AfterLastSeparator(path));
}

bool RemoveLeftoverCopyIn(const OpenFolder& folder, const std::string& name) {
    if (!IsTemporaryCopyName(name)) return false;
    FileIdentity entry;
    if (!folder.EntryIdentity(name, &entry)) return false;
    if (S_ISLNK(entry.mode)) return folder.RemoveFile(name);
    File file;
    // The exclusive open fails while a copy of this or another run still writes the file.
    if (!file.OpenForReadIn(folder, name, true, false)) return false;
    // A copy is given its attributes before its rename, so a leftover may be read-only.
    file.SetAttributes(kAttrNormal);
    file.Close();
    return folder.RemoveFile(name);
}

void RemoveLeftoverCopies(const RunContext& context) {
    for (const std::string& folder : context.visitedFolders()) {
        if (context.MadeFolder(folder)) continue;
        DirectoryEnumerator entries;
        // The name tells a temporary copy; RemoveLeftoverCopy looks at what it finds.
        if (!entries.Open(folder, DirectoryEnumerator::Entries::Names)) continue;
        FileStatus entry;
        while (context.IsActive() && entries.Next(&entry)) {
            if (IsTemporaryCopyName(entry.name)) {
                RemoveLeftoverCopy(JoinPath(folder, entry.name));
            }
        }
    }
}

}  // namespace tv
