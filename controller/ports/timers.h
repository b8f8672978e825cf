// The frame's timers, by id. Each expiry comes back as MainFrame::OnTimer(id) on the
// user-interface thread until the timer is stopped.
#pragma once

namespace tv {

class Timers {
  public:
    virtual ~Timers() = default;
    // Starts the timer, or restarts it with the new period when it runs.
    virtual void Start(int id, unsigned periodMs) = 0;
    // Stopping a timer that does not run does nothing.
    virtual void Stop(int id) = 0;
};

}  // namespace tv
