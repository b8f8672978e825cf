#include "app/qt_timers.h"

#include <QObject>

namespace tv {

QTimer& QtTimers::TimerOf(int id) {
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
            if (onTimeout_) onTimeout_(id);
        });
    }
    return *timer;
}

void QtTimers::Start(int id, unsigned periodMs) { TimerOf(id).start(static_cast<int>(periodMs)); }

void QtTimers::Stop(int id) {
    const auto found = timers_.find(id);
    if (found != timers_.end()) found->second->stop();
}

}  // namespace tv
