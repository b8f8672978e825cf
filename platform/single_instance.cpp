#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/locations.h"
#include "platform/paths.h"

namespace tv {
namespace {

// The fallback folder lies in the shared /tmp: it must be a real folder of ours that nobody
// else can write, or another user could hold or replace our lock file.
bool EnsureFolderOfOursInTmp(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

SingleInstance::~SingleInstance() { Release(); }

bool SingleInstance::Acquire(const std::string& lockFolder) {
    if (fd_ >= 0) return true;
    if (lockFolder == FallbackLockDir() && !EnsureFolderOfOursInTmp(lockFolder)) return false;
    const std::string path = JoinPath(lockFolder, kInstanceLockName);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SingleInstance::Release() {
    if (fd_ < 0) return;
    flock(fd_, LOCK_UN);
    close(fd_);
    fd_ = -1;
}

}  // namespace tv
