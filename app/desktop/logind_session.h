// The desktop session through systemd-logind on the system bus: powering off, whether the user
// may, ending the session the program runs in, and holding the system's shutdown off until the
// frame lets it go.
#pragma once

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <memory>

#include "app/desktop/shutdown_delay.h"
#include "controller/ports/session.h"

namespace tv {

class LogindSession : public Session {
  public:
    // On the system bus.
    LogindSession();
    // On the bus at busAddress (a test's private bus with a stand-in for logind).
    explicit LogindSession(const QString& busAddress);
    ~LogindSession() override;
    LogindSession(const LogindSession&) = delete;
    LogindSession& operator=(const LogindSession&) = delete;

    bool MayPowerOff() override;
    bool PowerOff() override;
    bool EndSession() override;

    // From now on a shutdown waits for the frame: announced is called when logind announces one,
    // calledOff when it calls it off. False, with nothing held, when logind does not answer.
    bool DelayShutdown(std::function<void()> announced, std::function<void()> calledOff);
    void LetShutdownProceed() override;

  private:
    QDBusConnection bus_;
    std::unique_ptr<ShutdownDelay> shutdownDelay_;
    bool ownConnection_ = false;  // made for busAddress, closed when this goes
};

}  // namespace tv
