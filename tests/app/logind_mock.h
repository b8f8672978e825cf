// A stand-in for systemd-logind for tests: python-dbusmock's logind template on a bus of its
// own, which records every method called. Nothing reaches the machine's real logind, so no
// test can end a session or power anything off.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVariantList>
#include <string>
#include <vector>

#include "tests/support/dbus_mock.h"

namespace tv::test {

class LogindMock {
  public:
    explicit LogindMock(std::string folder);
    ~LogindMock();
    LogindMock(const LogindMock&) = delete;
    LogindMock& operator=(const LogindMock&) = delete;

    // Starts the bus and the mock and waits until the mock owns logind's name; false, with
    // error(), when not.
    bool Start() { return mock_.Start(); }
    const std::string& error() const { return mock_.error(); }
    QString BusAddress() const;

    // Only the mock goes; the bus stays.
    void StopMock() { mock_.StopMock(); }
    // Makes the manager's CanPowerOff answer answer from now on.
    bool AnswerCanPowerOff(const QString& answer);
    // The arguments of every call of the manager's method so far, in order.
    std::vector<QVariantList> CallsOf(const QString& method);
    // The manager's PrepareForShutdown signal: a shutdown announced (starting) or called off.
    bool AnnounceShutdown(bool starting);
    // The inhibitor locks held now, each as "what who why mode"; one goes once every copy of
    // the descriptor its holder was given is closed.
    std::vector<QString> Inhibitors();

  private:
    DbusMock mock_;
};

}  // namespace tv::test
