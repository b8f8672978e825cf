// Changes of the mount table as the kernel signals them: /proc/self/mountinfo reports an
// exceptional condition to poll after every mount and unmount.
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "controller/ports/media_watch.h"

namespace tv {

class MountinfoWatch : public MediaWatch {
  public:
    ~MountinfoWatch() override;
    bool Start(std::function<void()> onChange) override;
    void Stop() override;

  private:
    void Changed();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onChange_;
};

}  // namespace tv
