#include "engine/checked_open.h"

namespace tv {

bool OpenRegularFileNoFollow(const std::string& path, File* file, FileIdentity* identity) {
    return file->OpenForReadNoFollow(path, true, true, identity);
}

bool HeldStill(const std::string& path, const FileIdentity& opened) {
    FileIdentity now;
    return GetEntryIdentity(path, &now) && opened.IsUnchanged(now);
}

}  // namespace tv
