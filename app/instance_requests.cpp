#include "app/instance_requests.h"

#include <utility>

namespace tv {

InstanceRequests::InstanceRequests(InstanceListener& listener, std::function<void()> openSettings)
    : listener_(listener), openSettings_(std::move(openSettings)) {
    listener_.Serve([this] {
        QMetaObject::invokeMethod(
            this, [this] { openSettings_(); }, Qt::QueuedConnection);
    });
}

// The listener's thread ends first; the requests it posted here go with this object.
InstanceRequests::~InstanceRequests() { listener_.Stop(); }

}  // namespace tv
