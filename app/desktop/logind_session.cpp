#include "app/desktop/logind_session.h"

#include <QDBusInterface>
#include <QDBusReply>
#include <utility>

#include "app/desktop/logind_names.h"

namespace tv {

namespace {

const QString kConnectionName = QStringLiteral("tessaravine-logind");
// logind's name for the caller's own session, or the user's graphical session when the caller
// belongs to none (a program started by the user's service manager).
const QString kOwnSession = QStringLiteral("auto");

bool Succeeded(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

}  // namespace

LogindSession::LogindSession() : bus_(QDBusConnection::systemBus()) {}

LogindSession::LogindSession(const QString& busAddress)
    : bus_(QDBusConnection::connectToBus(busAddress, kConnectionName)), ownConnection_(true) {}

// The delay goes before the connection it listens on.
LogindSession::~LogindSession() {
    shutdownDelay_.reset();
    if (ownConnection_) QDBusConnection::disconnectFromBus(kConnectionName);
}

// "challenge": the user may power off after proving who they are. That counts as the right; when
// the call that does not wait for the proof is then refused, that is a refused end like any other.
bool LogindSession::MayPowerOff() {
    QDBusInterface manager(kLogindService, kLogindManagerPath, kLogindManager, bus_);
    const QDBusReply<QString> answer = manager.call(QStringLiteral("CanPowerOff"));
    return answer.isValid() &&
           (answer.value() == QLatin1String("yes") || answer.value() == QLatin1String("challenge"));
}

// Not interactive: logind refuses rather than wait for a password that nobody may be there to
// give after an unattended run.
bool LogindSession::PowerOff() {
    QDBusInterface manager(kLogindService, kLogindManagerPath, kLogindManager, bus_);
    return Succeeded(manager.call(QStringLiteral("PowerOff"), false));
}

bool LogindSession::EndSession() {
    QDBusInterface manager(kLogindService, kLogindManagerPath, kLogindManager, bus_);
    return Succeeded(manager.call(QStringLiteral("TerminateSession"), kOwnSession));
}

bool LogindSession::DelayShutdown(std::function<void()> announced,
                                  std::function<void()> calledOff) {
    shutdownDelay_ =
        std::make_unique<ShutdownDelay>(bus_, std::move(announced), std::move(calledOff));
    if (shutdownDelay_->Hold()) return true;
    shutdownDelay_.reset();
    return false;
}

void LogindSession::LetShutdownProceed() {
    if (shutdownDelay_) shutdownDelay_->Release();
}

}  // namespace tv
