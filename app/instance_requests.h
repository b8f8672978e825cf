// The requests of later starts of the program, which the instance listener hears on a thread of
// its own, handed to the frame on the user-interface thread.
#pragma once

#include <QObject>
#include <functional>

#include "platform/instance_channel.h"

namespace tv {

class InstanceRequests : public QObject {
  public:
    // Serves listener until this goes; openSettings is called on this object's thread for each
    // request, from the event loop.
    InstanceRequests(InstanceListener& listener, std::function<void()> openSettings);
    // No request is handed on once this has gone, not even one that was on its way.
    ~InstanceRequests() override;
    InstanceRequests(const InstanceRequests&) = delete;
    InstanceRequests& operator=(const InstanceRequests&) = delete;

  private:
    InstanceListener& listener_;
    std::function<void()> openSettings_;
};

}  // namespace tv
