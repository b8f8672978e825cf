#include "platform/network_paths.h"

#include <gio/gio.h>

#include <map>
#include <mutex>

#include "platform/linux/glib_owners.h"
#include "platform/linux/share_address.h"
#include "platform/paths.h"

namespace tv {
namespace {

// The local folders of the shares found mounted, by share key; shared by every thread.
class LocalFolders {
  public:
    static LocalFolders& Instance() {
        static LocalFolders folders;
        return folders;
    }
    bool Find(const std::string& key, std::string* folder) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = folders_.find(key);
        if (found == folders_.end()) return false;
        *folder = found->second;
        return true;
    }
    void Remember(const std::string& key, const std::string& folder) {
        const std::lock_guard<std::mutex> lock(mutex_);
        folders_[key] = folder;
    }
    void Forget(const std::string& key) {
        const std::lock_guard<std::mutex> lock(mutex_);
        folders_.erase(key);
    }

  private:
    std::mutex mutex_;
    std::map<std::string, std::string> folders_;
};

// The client gives a file of a mounted share the path of its FUSE folder; a share that is not
// mounted (or no FUSE folder at all) has no local path.
std::string LookUpLocalFolder(const ShareAddress& address) {
    const detail::GObjectPtr<GFile> root(g_file_new_for_uri(ShareUri(address).c_str()));
    const detail::GCharPtr path(g_file_get_path(root.get()));
    return path ? std::string(path.get()) : std::string();
}

std::string LocalFolderOf(const ShareAddress& address) {
    const std::string key = ShareKey(address);
    std::string folder;
    if (LocalFolders::Instance().Find(key, &folder)) return folder;
    folder = LookUpLocalFolder(address);
    if (!folder.empty()) LocalFolders::Instance().Remember(key, folder);
    return folder;
}

}  // namespace

std::string ToLocalPath(const std::string& path) {
    if (!IsNetworkPath(path)) return path;
    ShareAddress address;
    std::string rest;
    if (!SplitNetworkPath(path, &address, &rest)) return std::string();
    const std::string folder = LocalFolderOf(address);
    return folder.empty() ? std::string() : folder + rest;
}

void ForgetLocalFolder(const std::string& path) {
    ShareAddress address;
    std::string rest;
    if (SplitNetworkPath(path, &address, &rest)) LocalFolders::Instance().Forget(ShareKey(address));
}

}  // namespace tv
