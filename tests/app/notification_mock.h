// A stand-in for the desktop's notification server for tests: python-dbusmock's notification
// daemon template on a bus of its own. It records every notice asked for and emits, when the
// test says so, the signals by which the server tells of the user's choice or the notice's end.
#pragma once

#include <QString>
#include <QVariantList>
#include <string>
#include <vector>

#include "tests/support/dbus_mock.h"

namespace tv::test {

class NotificationMock {
  public:
    // capabilities: what the server answers GetCapabilities with, separated by spaces; the
    // template's own list (with "body-markup") when empty.
    explicit NotificationMock(std::string folder, const std::string& capabilities = "");
    ~NotificationMock();
    NotificationMock(const NotificationMock&) = delete;
    NotificationMock& operator=(const NotificationMock&) = delete;

    // Starts the bus and the mock and waits until the mock owns the server's name; false, with
    // error(), when not.
    bool Start() { return mock_.Start(); }
    const std::string& error() const { return mock_.error(); }
    QString BusAddress() const;
    // Only the mock goes; the bus stays.
    void StopMock() { mock_.StopMock(); }

    // The arguments of every Notify call so far, in order.
    std::vector<QVariantList> NotifyCalls() { return CallsOf(QStringLiteral("Notify")); }
    // The arguments of every call of method so far, in order.
    std::vector<QVariantList> CallsOf(const QString& method);
    // The user chose the action key of the notice id.
    bool InvokeAction(uint id, const std::string& key);
    // The notice id went away (dismissed by the user).
    bool Close(uint id);

  private:
    DbusMock mock_;
};

}  // namespace tv::test
