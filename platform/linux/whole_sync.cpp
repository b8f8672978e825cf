#include "platform/whole_sync.h"

#include <linux/magic.h>
#include <sys/statfs.h>

#include "platform/network_paths.h"

namespace tv {

bool WholeSyncReaches(const std::string& folder) {
    struct statfs fs {};
    if (statfs(ToLocalPath(folder).c_str(), &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case FUSE_SUPER_MAGIC:
        case NFS_SUPER_MAGIC:
        case SMB_SUPER_MAGIC:
        case CIFS_SUPER_MAGIC:
        case SMB2_SUPER_MAGIC:
        case V9FS_MAGIC:
            return false;
        default:
            return true;
    }
}

}  // namespace tv
