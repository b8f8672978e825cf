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
// The program's desktop entry and the icon it installs in the icon theme: by them the server
// shows and groups the notices as the program's own.
const QString kDesktopEntry = QStringLiteral("tessaravine");
const QString kAppIcon = QStringLiteral("tessaravine");
// A server with it reads the body as markup; one without it shows the body as it is.
const QString kBodyMarkup = QStringLiteral("body-markup");
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

QVariantMap Hints() { return {{QStringLiteral("desktop-entry"), kDesktopEntry}}; }

// Plain text for a server that reads markup: a file name with "&" or "<" would otherwise be
// shown wrongly or make the server drop the whole body.
QString EscapedForMarkup(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&') {
            escaped += QStringLiteral("&amp;");
        } else if (c == u'<') {
            escaped += QStringLiteral("&lt;");
        } else if (c == u'>') {
            escaped += QStringLiteral("&gt;");
        } else {
            escaped += c;
        }
    }
    return escaped;
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

// Asked once: the server answers the same for as long as it runs. No answer (no server yet) is
// not kept, so a server that starts later is asked.
bool DbusNotifier::ServerReadsMarkup() {
    if (readsMarkup_) return *readsMarkup_;
    const QDBusMessage reply = bus_.call(QDBusMessage::createMethodCall(
        kService, kPath, kInterface, QStringLiteral("GetCapabilities")));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    readsMarkup_ = reply.arguments().at(0).toStringList().contains(kBodyMarkup);
    return *readsMarkup_;
}

bool DbusNotifier::Notify(const Notice& notice) {
    QString body = QString::fromStdString(notice.body);
    if (ServerReadsMarkup()) body = EscapedForMarkup(body);
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << kAppName << kNoReplacedId << kAppIcon << QString::fromStdString(notice.summary) << body
         << ActionList(notice.action) << Hints() << kServerDefaultTimeout;
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
