#include "engine/copy/destination_names.h"

#include "engine/durability/leftover_copies.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

// A network path is never walked above its share: the server alone is no folder of it.
bool IsShareOrBelow(const std::string& path) {
    return !IsNetworkPath(path) || path.find(kSeparator, 2) != std::string::npos;
}

// The destination, or the folder above it that its first missing level would be made in.
std::string NearestExistingFolder(const std::string& destination) {
    std::string folder = WithoutTrailingSeparators(destination);
    while (!folder.empty() && !IsDirectory(folder)) {
        const std::string above = ContainingFolder(folder);
        if (above == folder || !IsShareOrBelow(above)) return {};
        folder = above;
    }
    return folder;
}

void RemoveLeftoversIn(const OpenFolder& folder) {
    DirectoryEnumerator entries;
    if (!entries.OpenIn(folder, DirectoryEnumerator::Entries::Names)) return;
    FileStatus entry;
    while (entries.Next(&entry)) RemoveLeftoverCopyIn(folder, entry.name);
}

}  // namespace

NameRefusals RefusalsOfDestination(const std::string& destination) {
    const std::string folder = NearestExistingFolder(destination);
    if (folder.empty() || HoldsEveryName(folder)) return {};
    OpenFolder held;
    if (!held.OpenBelow(folder, folder)) return {};
    RemoveLeftoversIn(held);
    return FindNameRefusals(held, NewTemporaryCopyName());
}

}  // namespace tv
