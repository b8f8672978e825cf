#include "engine/checked_open.h"

namespace tv {

bool OpenRegularFileNoFollow(const std::string& path, File* file, FileIdentity* identity) {
    FileIdentity named;
    if (!GetEntryIdentity(path, &named) || !named.IsRegularFile()) return false;
    if (!file->OpenForReadNoFollow(path, true, true)) return false;
    if (!file->GetIdentity(identity)) return false;
    return identity->IsSameFile(named);
}

bool HeldStill(const std::string& path, const FileIdentity& opened) {
    FileIdentity now;
    return GetEntryIdentity(path, &now) && opened.IsUnchanged(now);
}

}  // namespace tv
