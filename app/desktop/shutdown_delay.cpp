#include "app/desktop/shutdown_delay.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <utility>

#include "app/desktop/logind_names.h"

namespace tv {

namespace {

const QString kWhat = QStringLiteral("shutdown");
const QString kWho = QStringLiteral("Tessaravine");
const QString kWhy = QStringLiteral("終了時のバックアップ");
// A delay, never a block: the system waits a few seconds at most, and the user can always shut
// down.
const QString kMode = QStringLiteral("delay");
// Asked at start-up on the user-interface thread: a system bus that does not answer must not
// hold the program's start for D-Bus's default of 25 seconds.
constexpr int kInhibitPatienceMs = 3000;

}  // namespace

// Listening starts before the delay is taken, so that no announcement made in between is missed.
ShutdownDelay::ShutdownDelay(const QDBusConnection& bus, std::function<void()> announced,
                             std::function<void()> calledOff)
    : bus_(bus), announced_(std::move(announced)), calledOff_(std::move(calledOff)) {
    bus_.connect(kLogindService, kLogindManagerPath, kLogindManager,
                 QStringLiteral("PrepareForShutdown"), this, SLOT(OnPrepareForShutdown(bool)));
}

// The descriptor is kept as a duplicate that closes on exec, so a program the user opens from
// here never holds the shutdown off.
bool ShutdownDelay::Hold() {
    if (lock_.isValid()) return true;
    QDBusMessage inhibit = QDBusMessage::createMethodCall(
        kLogindService, kLogindManagerPath, kLogindManager, QStringLiteral("Inhibit"));
    inhibit << kWhat << kWho << kWhy << kMode;
    const QDBusReply<QDBusUnixFileDescriptor> reply =
        bus_.call(inhibit, QDBus::Block, kInhibitPatienceMs);
    if (!reply.isValid() || !reply.value().isValid()) return false;
    lock_ = reply.value();
    return true;
}

void ShutdownDelay::Release() { lock_ = QDBusUnixFileDescriptor(); }

void ShutdownDelay::OnPrepareForShutdown(bool starting) {
    if (starting) {
        if (announced_) announced_();
        return;
    }
    Hold();
    if (calledOff_) calledOff_();
}

}  // namespace tv
