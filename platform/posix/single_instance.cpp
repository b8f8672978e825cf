#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/locations.h"
#include "platform/posix/unique_fd.h"

namespace tv {
namespace {

// A real folder (no link), of this user, that neither group nor others can write.
bool IsUsersAlone(int folderFd) {
    struct stat st {};
    return fstat(folderFd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The folder held open, so that the lock file is made in the folder that was checked.
detail::UniqueFd OpenLockFolder(const std::string& folder) {
    const bool fallback = folder == FallbackLockDir();
    if (fallback && !EnsurePrivateFolder(folder)) return detail::UniqueFd();
    detail::UniqueFd fd(
        open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (fallback ? O_NOFOLLOW : 0)));
    if (fd.valid() && fallback && !IsUsersAlone(fd.get())) fd.Reset();
    return fd;
}

}  // namespace

SingleInstance::~SingleInstance() { Release(); }

InstanceLock SingleInstance::Acquire(const std::string& lockFolder) {
    if (lock_ != kNoLock) return InstanceLock::Held;
    const detail::UniqueFd folder = OpenLockFolder(lockFolder);
    if (!folder.valid()) return InstanceLock::NoSafeFolder;
    detail::UniqueFd fd(
        openat(folder.get(), kInstanceLockName, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid()) return InstanceLock::NoSafeFolder;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK ? InstanceLock::HeldElsewhere : InstanceLock::NoSafeFolder;
    }
    lock_ = fd.Release();
    return InstanceLock::Held;
}

void SingleInstance::Release() {
    if (lock_ == kNoLock) return;
    const int fd = static_cast<int>(lock_);
    flock(fd, LOCK_UN);
    close(fd);
    lock_ = kNoLock;
}

}  // namespace tv
