// One process per user: an flock on a lock file named after the program's mutex in the lock
// folder of the program's locations (on Windows the named mutex itself), held for the life of
// the owner.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

constexpr const char* kInstanceLockName = "_OstrelTessaravineNext_";

enum class InstanceLock : uint8_t {
    Held,           // this process holds the lock
    HeldElsewhere,  // another process holds it
    // No lock file could be opened in the folder: it is missing or, for the fallback folder,
    // could not be made or is not the user's alone. Whether another process runs is unknown.
    NoSafeFolder,
};

class SingleInstance {
  public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock in lockFolder. The fallback folder (FallbackLockDir) is made private to
    // the user when missing and used only when it is a real folder of the user's that nobody
    // else can write, or another user could hold or replace the lock file.
    InstanceLock Acquire(const std::string& lockFolder);
    void Release();

  private:
    static constexpr intptr_t kNoLock = -1;
    // The locked file's descriptor, or on Windows the handle of the named mutex.
    intptr_t lock_ = kNoLock;
};

}  // namespace tv
