// A delay on the system's shutdown, taken from systemd-logind: while the program holds it, a
// shutdown that logind announces waits for the program until it lets go, but never longer than
// logind's own limit (InhibitDelayMaxSec, five seconds unless the system says otherwise). logind
// gives the delay as a file descriptor; closing it lets go.
#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <functional>

namespace tv {

class ShutdownDelay : public QObject {
    Q_OBJECT
  public:
    // announced is called when logind announces a shutdown; calledOff when it calls an announced
    // one off, once the delay is held again.
    ShutdownDelay(const QDBusConnection& bus, std::function<void()> announced,
                  std::function<void()> calledOff);
    ShutdownDelay(const ShutdownDelay&) = delete;
    ShutdownDelay& operator=(const ShutdownDelay&) = delete;

    // Takes the delay unless it is held already; false when logind does not give it.
    bool Hold();
    void Release();

  private slots:
    void OnPrepareForShutdown(bool starting);

  private:
    QDBusConnection bus_;
    std::function<void()> announced_;
    std::function<void()> calledOff_;
    QDBusUnixFileDescriptor lock_;  // invalid while none is held
};

}  // namespace tv
