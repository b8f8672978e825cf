// One process per user: an flock on a lock file named after the program's mutex in
// $XDG_RUNTIME_DIR (else /tmp/tessaravine-$UID), held for the life of the owner.
#pragma once

#include <string>

namespace tv {

constexpr const char* kInstanceLockName = "_OstrelTessaravineNext_";

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock; false when another process holds it or the
    // lock file cannot be opened safely (a fallback folder in /tmp that is not ours alone).
    // lockFolder: "" for the default folder.
    bool Acquire(const std::string& lockFolder = "");
    void Release();

    static std::string DefaultLockFolder();

private:
    int fd_ = -1;
};

}  // namespace tv
