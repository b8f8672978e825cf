#include "app/desktop/dbus_notifier.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <utility>

namespace tv {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kConnectionName = QStringLiteral("tessaravine-notifications");
const QString kAppName = QStringLiteral("Tessaravine");
// The key of the click on the notice itself.
const QString kDefaultAction = QStringLiteral("default");
// The server chooses how long the notification stays.
constexpr int kServerDefaultTimeout = -1;
// A new notice, not one that replaces an earlier one.
constexpr uint kNoReplacedId = 0;

// Key and label in turn; the same action again as the click on the notice, which servers that
// show no buttons still offer.
QStringList ActionList(const std::optional<NoticeAction>& action) {
    if (!action) return {};
    const QString label = QString::fromStdString(action->label);
    return {QString::fromStdString(action->key), label, kDefaultAction, label};
}

}  // namespace

DbusNotifier::DbusNotifier() : bus_(QDBusConnection::sessionBus()) { Listen(); }

DbusNotifier::DbusNotifier(const QString& busAddress)
    : bus_(QDBusConnection::connectToBus(busAddress, kConnectionName)), ownConnection_(true) {
    Listen();
}

DbusNotifier::~DbusNotifier() {
    if (ownConnection_) QDBusConnection::disconnectFromBus(kConnectionName);
}

void DbusNotifier::Listen() {
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(OnActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(OnNotificationClosed(uint, uint)));
}

bool DbusNotifier::Notify(const Notice& notice) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << kAppName << kNoReplacedId << QString() << QString::fromStdString(notice.summary)
         << QString::fromStdString(notice.body) << ActionList(notice.action) << QVariantMap()
         << kServerDefaultTimeout;
    const QDBusMessage reply = bus_.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    const uint id = reply.arguments().at(0).toUInt();
    if (notice.action) actions_[id] = *notice.action;
    return true;
}

// The signal goes to every client of the server: an id that is none of ours is another
// program's notice. The action is forgotten before it is called, since it may open a modal
// dialog, during which more signals arrive.
void DbusNotifier::OnActionInvoked(uint id, const QString& key) {
    const auto found = actions_.find(id);
    if (found == actions_.end()) return;
    if (key != QString::fromStdString(found->second.key) && key != kDefaultAction) return;
    const NoticeAction action = std::move(found->second);
    actions_.erase(found);
    if (action.chosen) action.chosen();
}

void DbusNotifier::OnNotificationClosed(uint id, uint /*reason*/) { actions_.erase(id); }

}  // namespace tv
