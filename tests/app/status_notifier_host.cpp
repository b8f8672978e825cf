#include "tests/app/status_notifier_host.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariantMap>
#include <utility>

namespace tv::test {
namespace {

const QString kConnectionName = QStringLiteral("status-notifier-host-test");
const QString kWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
constexpr const char* kItemPath = "/StatusNotifierItem";
constexpr int kRootId = 0;
constexpr int kAllLevels = -1;
constexpr int kCallTimeoutMs = 5000;

// An entry of a layout, (ia{sv}av): its id and properties; its own entries are not read.
HostMenuEntry EntryOf(const QDBusArgument& layout) {
    HostMenuEntry entry;
    QVariantMap properties;
    layout.beginStructure();
    layout >> entry.id >> properties;
    layout.endStructure();
    entry.label = properties.value(QStringLiteral("label")).toString().toStdString();
    entry.enabled = properties.value(QStringLiteral("enabled"), true).toBool();
    return entry;
}

// The entries below the root of a layout, in order.
std::vector<HostMenuEntry> ChildrenOf(const QDBusArgument& root) {
    std::vector<HostMenuEntry> entries;
    int id = 0;
    QVariantMap properties;
    root.beginStructure();
    root >> id >> properties;
    root.beginArray();
    while (!root.atEnd()) {
        QDBusVariant child;
        root >> child;
        entries.push_back(EntryOf(child.variant().value<QDBusArgument>()));
    }
    root.endArray();
    root.endStructure();
    return entries;
}

}  // namespace

StatusNotifierHost::StatusNotifierHost(std::string folder)
    : watcher_(std::move(folder), {"--template", TV_STATUS_NOTIFIER_WATCHER},
               kWatcherInterface.toStdString()) {}

StatusNotifierHost::~StatusNotifierHost() { QDBusConnection::disconnectFromBus(kConnectionName); }

std::optional<QVariantList> StatusNotifierHost::Call(const std::string& service,
                                                     const std::string& path,
                                                     const QString& interface,
                                                     const QString& method,
                                                     const QVariantList& arguments) {
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromStdString(BusAddress()), kConnectionName);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromStdString(service), QString::fromStdString(path), interface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        error_ = (method + ": " + reply.errorMessage()).toStdString();
        return std::nullopt;
    }
    return reply.arguments();
}

std::optional<QVariant> StatusNotifierHost::Property(const std::string& service,
                                                     const std::string& path,
                                                     const QString& interface,
                                                     const QString& name) {
    const std::optional<QVariantList> reply =
        Call(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {interface, name});
    if (!reply || reply->isEmpty()) return std::nullopt;
    return reply->at(0).value<QDBusVariant>().variant();
}

std::vector<std::string> StatusNotifierHost::RegisteredItems() {
    std::vector<std::string> items;
    const std::optional<QVariant> list =
        Property(watcher_.service(), kWatcherPath, kWatcherInterface,
                 QStringLiteral("RegisteredStatusNotifierItems"));
    if (!list) return items;
    for (const QString& item : list->toStringList()) items.push_back(item.toStdString());
    return items;
}

std::string StatusNotifierHost::MenuPath(const std::string& item) {
    const std::optional<QVariant> path =
        Property(item, kItemPath, kItemInterface, QStringLiteral("Menu"));
    if (!path) return "";
    return path->value<QDBusObjectPath>().path().toStdString();
}

std::optional<std::vector<HostMenuEntry>> StatusNotifierHost::OpenMenu(const std::string& item,
                                                                       const std::string& menu) {
    if (!Call(item, menu, kMenuInterface, QStringLiteral("AboutToShow"), {kRootId})) {
        return std::nullopt;
    }
    return ReadMenu(item, menu);
}

std::optional<std::vector<HostMenuEntry>> StatusNotifierHost::ReadMenu(const std::string& item,
                                                                       const std::string& menu) {
    const std::optional<QVariantList> layout =
        Call(item, menu, kMenuInterface, QStringLiteral("GetLayout"),
             {kRootId, kAllLevels, QStringList()});
    if (!layout || layout->size() != 2) return std::nullopt;
    return ChildrenOf(layout->at(1).value<QDBusArgument>());
}

bool StatusNotifierHost::Click(const std::string& item, const std::string& menu, int id) {
    const QVariantList event = {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)),
                                0u};
    return Call(item, menu, kMenuInterface, QStringLiteral("Event"), event).has_value();
}

bool StatusNotifierHost::Activate(const std::string& item) {
    return Call(item, kItemPath, kItemInterface, QStringLiteral("Activate"), {0, 0}).has_value();
}

}  // namespace tv::test
