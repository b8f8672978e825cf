// Desktop notifications through the freedesktop.org notification server on the session bus. A
// notice's action is offered as a button and as the click on the notice itself; the server's
// ActionInvoked signal calls it back on this object's thread, the user-interface thread. Every
// notice names the program's desktop entry and icon, and its body is plain text, escaped for a
// server that reads markup.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <map>
#include <optional>

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
    bool ServerReadsMarkup();

    QDBusConnection bus_;
    bool ownConnection_ = false;  // made for busAddress, closed when this goes
    // The actions of the notices still shown, by the server's id of each.
    std::map<uint, NoticeAction> actions_;
    // Whether the server reads the body as markup, once it has said so.
    std::optional<bool> readsMarkup_;
};

}  // namespace tv
