#include "app/desktop/logind_session.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QString>

namespace tv {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");

QDBusInterface Manager() {
    return QDBusInterface(kService, kManagerPath, kManager, QDBusConnection::systemBus());
}

}  // namespace

// "challenge" would have logind ask for a password, which nobody answers after an unattended
// run; only a plain yes counts.
bool LogindSession::MayPowerOff() {
    const QDBusReply<QString> answer = Manager().call(QStringLiteral("CanPowerOff"));
    return answer.isValid() && answer.value() == QLatin1String("yes");
}

bool LogindSession::PowerOff() {
    const QDBusReply<void> reply = Manager().call(QStringLiteral("PowerOff"), false);
    return reply.isValid();
}

bool LogindSession::EndSession() {
    const QDBusReply<QDBusObjectPath> session =
        Manager().call(QStringLiteral("GetSessionByPID"), static_cast<uint>(getpid()));
    if (!session.isValid()) return false;
    QDBusInterface own(kService, session.value().path(), kSession, QDBusConnection::systemBus());
    const QDBusReply<void> reply = own.call(QStringLiteral("Terminate"));
    return reply.isValid();
}

}  // namespace tv
