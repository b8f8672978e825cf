// Desktop notifications through the freedesktop.org notification server on the session bus. A
// notice's action is offered as a button and as the click on the notice itself; the server's
// ActionInvoked signal calls it back on this object's thread, the user-interface thread.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <map>

#include "controller/ports/notifier.h"

namespace tv {

class DbusNotifier : public QObject, public Notifier {
    Q_OBJECT
  public:
    // On the session bus.
    DbusNotifier();
    // On the bus at busAddress (a test's private bus with a stand-in for the server).
    explicit DbusNotifier(const QString& busAddress);
    ~DbusNotifier() override;
    DbusNotifier(const DbusNotifier&) = delete;
    DbusNotifier& operator=(const DbusNotifier&) = delete;

    bool Notify(const Notice& notice) override;

  private slots:
    void OnActionInvoked(uint id, const QString& key);
    void OnNotificationClosed(uint id, uint reason);

  private:
    void Listen();

    QDBusConnection bus_;
    bool ownConnection_ = false;  // made for busAddress, closed when this goes
    // The actions of the notices still shown, by the server's id of each.
    std::map<uint, NoticeAction> actions_;
};

}  // namespace tv
