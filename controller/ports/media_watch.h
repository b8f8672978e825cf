// Notice of mounts that come and go, so a medium is found the moment it is mounted and not only
// at the next poll.
#pragma once

#include <functional>

namespace tv {

class MediaWatch {
  public:
    virtual ~MediaWatch() = default;
    // From now on onChange is called on the user-interface thread after every change of the
    // mount table; false when changes cannot be watched (the poll still finds media).
    virtual bool Start(std::function<void()> onChange) = 0;
    // No more calls after this; nothing when not watching.
    virtual void Stop() = 0;
};

}  // namespace tv
