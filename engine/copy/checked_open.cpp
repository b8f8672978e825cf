#include "engine/copy/checked_open.h"

#include "platform/paths.h"

namespace tv {

bool OpenRegularFileNoFollow(const std::string& path, File* file, FileIdentity* identity) {
    return file->OpenForReadNoFollow(path, true, true, identity);
}

bool OpenListedFile(const std::string& root, const std::string& path, const NodeIdentity& listed,
                    File* file, FileIdentity* identity) {
    if (!OpenRegularFileNoFollow(path, file, identity)) return false;
    if (NodeIdentity{identity->device, identity->inode} == listed) return true;
    OpenFolder folder;
    return folder.OpenBelow(root, ContainingFolder(path)) &&
           file->OpenForReadIn(folder, AfterLastSeparator(path), true, true, identity);
}

bool HeldStill(const std::string& path, const FileIdentity& opened) {
    FileIdentity now;
    return GetEntryIdentity(path, &now) && opened.IsUnchanged(now);
}

}  // namespace tv
