// The desktop session through systemd-logind on the system bus: powering off, whether the user
// may, and ending the session the program runs in.
#pragma once

#include <QDBusConnection>
#include <QString>

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

  private:
    QDBusConnection bus_;
    bool ownConnection_ = false;  // made for busAddress, closed when this goes
};

}  // namespace tv
