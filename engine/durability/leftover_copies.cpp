#include "engine/durability/leftover_copies.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#include "engine/job/run_context.h"
#include "platform/file_system.h"
#include "platform/name_refusals.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr std::size_t kRandomDigits = 16;

bool IsLowerHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

// Only the exact form this engine makes: a user's file that merely begins like one (a
// ".tvpart-notes") is the user's, copied and trashed like any other.
bool IsTemporaryCopyName(const std::string& name) {
    const std::size_t prefix = std::strlen(kTemporaryCopyPrefix);
    return name.size() == prefix + kRandomDigits &&
           name.compare(0, prefix, kTemporaryCopyPrefix) == 0 &&
           std::all_of(name.begin() + prefix, name.end(), IsLowerHexDigit);
}

std::string NewTemporaryCopyName() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, "%s%0*llx", kTemporaryCopyPrefix,
                  static_cast<int>(kRandomDigits), static_cast<unsigned long long>(generator()));
    return name;
}

std::string TemporaryCopyPathBeside(const std::string& destination) {
    return JoinPath(ContainingFolder(destination), NewTemporaryCopyName());
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
    if (entry.IsLink()) return folder.RemoveFile(name);
    if (entry.IsFolder()) return RemoveNameProbe(folder, name);
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

void RemoveLeftoverCopiesBeforeCopying(RunContext& context, const OpenFolder& folder) {
    if (context.MadeFolder(folder.path()) || !context.NoteFolderSwept(folder.path())) return;
    DirectoryEnumerator entries;
    if (!entries.OpenIn(folder, DirectoryEnumerator::Entries::Names)) return;
    FileStatus entry;
    while (context.IsActive() && entries.Next(&entry)) RemoveLeftoverCopyIn(folder, entry.name);
}

}  // namespace tv
