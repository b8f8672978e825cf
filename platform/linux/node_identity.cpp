#include "platform/node_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/network_paths.h"
#include "platform/paths.h"

namespace tv {

namespace {

NodeIdentity IdentityOf(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

// Closes the folder handle it holds when it goes.
class FolderHandle {
  public:
    explicit FolderHandle(int fd) : fd_(fd) {}
    ~FolderHandle() {
        if (fd_ >= 0) close(fd_);
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    int fd() const { return fd_; }
    // Moves the handle to the folder above; false when it cannot be opened.
    bool Climb() {
        const int parent = openat(fd_, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (parent < 0) return false;
        close(fd_);
        fd_ = parent;
        return true;
    }

  private:
    int fd_;
};

// The nearest folder at or above path that can be opened; -1 when there is none.
int OpenNearestExistingFolder(std::string path) {
    for (;;) {
        const int fd = open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) return fd;
        const std::string parent = ContainingFolder(path);
        if (parent.empty() || parent == path) return open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        path = parent;
    }
}

}  // namespace

bool GetNodeIdentity(const std::string& path, NodeIdentity* identity) {
    struct stat st {};
    if (stat(ToLocalPath(path).c_str(), &st) != 0) return false;
    *identity = IdentityOf(st);
    return true;
}

bool GetAncestorIdentities(const std::string& path, std::vector<NodeIdentity>* chain) {
    chain->clear();
    // An unreachable network path has no folders above it, not those of the current folder.
    const std::string local = ToLocalPath(path);
    if (local.empty()) return false;
    FolderHandle folder(OpenNearestExistingFolder(local));
    if (folder.fd() < 0) return false;
    struct stat st {};
    while (fstat(folder.fd(), &st) == 0) {
        const NodeIdentity identity = IdentityOf(st);
        // The root is its own parent.
        if (!chain->empty() && chain->back() == identity) break;
        chain->push_back(identity);
        if (!folder.Climb()) break;
    }
    return !chain->empty();
}

}  // namespace tv
