#include "app/desktop/dbus_notifier.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tv {

namespace {

// The server chooses how long the notification stays.
constexpr int kServerDefaultTimeout = -1;

}  // namespace

bool DbusNotifier::Notify(const std::string& summary, const std::string& body) {
    QDBusInterface server(QStringLiteral("org.freedesktop.Notifications"),
                          QStringLiteral("/org/freedesktop/Notifications"),
                          QStringLiteral("org.freedesktop.Notifications"),
                          QDBusConnection::sessionBus());
    const QDBusReply<uint> id =
        server.call(QStringLiteral("Notify"), QStringLiteral("Tessaravine"), 0u, QString(),
                    QString::fromStdString(summary), QString::fromStdString(body), QStringList(),
                    QVariantMap(), kServerDefaultTimeout);
    return id.isValid();
}

}  // namespace tv
