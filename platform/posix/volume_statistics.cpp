// The block counts of a mounted file system, as statvfs reports them.
#include <sys/statvfs.h>

#include "platform/network_paths.h"
#include "platform/volume_space.h"

namespace tv {
namespace {

bool ReadStatistics(const std::string& path, struct statvfs* status) {
    return ::statvfs(ToLocalPath(path).c_str(), status) == 0;
}

}  // namespace

bool ReadVolumeCounts(const std::string& path, VolumeCounts* counts) {
    struct statvfs status {};
    if (!ReadStatistics(path, &status)) return false;
    *counts = {status.f_blocks, status.f_bavail, status.f_frsize};
    return true;
}

bool ReadUsedBytes(const std::string& path, uint64_t* bytes) {
    struct statvfs status {};
    if (!ReadStatistics(path, &status)) return false;
    *bytes = static_cast<uint64_t>(status.f_blocks - status.f_bfree) * status.f_frsize;
    return true;
}

}  // namespace tv
