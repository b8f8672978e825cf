// One process per user: an flock on a lock file named after the program's mutex in the lock
// folder of the program's locations, held for the life of the owner.
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
    bool Acquire(const std::string& lockFolder);
    void Release();

  private:
    int fd_ = -1;
};

}  // namespace tv
