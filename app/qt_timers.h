// The frame's timers as Qt timers, each expiry handed to the handler with the timer's id.
#pragma once

#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "controller/ports/timers.h"

namespace tv {

class QtTimers : public Timers {
  public:
    // Where the expiries go; set once the frame exists.
    void SetTimeoutHandler(std::function<void(int)> onTimeout) {
        onTimeout_ = std::move(onTimeout);
    }

    void Start(int id, unsigned periodMs) override;
    void Stop(int id) override;

  private:
    QTimer& TimerOf(int id);

    std::function<void(int)> onTimeout_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace tv
