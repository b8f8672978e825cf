// Node identities on Windows: the volume's serial and the file's index on it. The folders above
// a path are climbed by handle, each found by the path the system resolved for the one below, so
// a junction or a link on the way is not taken for a parent.
#include "platform/node_identity.h"

#include "platform/paths.h"
#include "platform/windows/folder_handle.h"

namespace tv {
namespace {

// The nearest folder at or above path that can be opened; invalid when there is none.
detail::UniqueHandle OpenNearestExistingFolder(std::string path) {
    for (;;) {
        detail::UniqueHandle folder = detail::OpenForAttributes(path, FILE_READ_ATTRIBUTES, true);
        NodeIdentity node;
        DWORD attributes = 0;
        if (folder.valid() && detail::NodeOfHandle(folder.get(), &node, &attributes) &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return folder;
        }
        std::string parent = ContainingFolder(WithoutTrailingSeparators(path));
        // "C:" alone would be the drive's current folder, not its root.
        if (!parent.empty() && parent.back() == ':') parent += kSeparator;
        // Above a drive's root, or above a network path's server: nothing.
        if (parent == "." || parent == std::string(1, kSeparator) || parent == path) {
            return detail::UniqueHandle();
        }
        path = parent;
    }
}

}  // namespace

bool GetNodeIdentity(const std::string& path, NodeIdentity* identity) {
    const detail::UniqueHandle handle = detail::OpenForAttributes(path, FILE_READ_ATTRIBUTES, true);
    return handle.valid() && detail::NodeOfHandle(handle.get(), identity);
}

bool GetAncestorIdentities(const std::string& path, std::vector<NodeIdentity>* chain) {
    chain->clear();
    detail::UniqueHandle folder = OpenNearestExistingFolder(path);
    NodeIdentity identity;
    while (folder.valid() && detail::NodeOfHandle(folder.get(), &identity)) {
        chain->push_back(identity);
        folder = detail::OpenFolderAbove(folder.get(), FILE_READ_ATTRIBUTES);
    }
    return !chain->empty();
}

}  // namespace tv
