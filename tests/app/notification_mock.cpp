#include "tests/app/notification_mock.h"

#include <QDBusConnection>
#include <utility>

#include "tests/app/mock_method_calls.h"

namespace tv::test {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kConnectionName = QStringLiteral("notification-mock-test");
// The reason the server gives for a notice the user dismissed.
constexpr uint kDismissedByUser = 2;

std::string EmittedSignal(const char* name, const char* signature, const std::string& values) {
    return std::string("('org.freedesktop.Notifications', '") + name + "', '" + signature + "', [" +
           values + "])";
}

std::vector<std::string> MockArguments(const std::string& capabilities) {
    std::vector<std::string> arguments = {"--template", "notification_daemon"};
    if (!capabilities.empty()) {
        arguments.insert(arguments.end(),
                         {"--parameters", "{\"capabilities\": \"" + capabilities + "\"}"});
    }
    return arguments;
}

}  // namespace

NotificationMock::NotificationMock(std::string folder, const std::string& capabilities)
    : mock_(std::move(folder), MockArguments(capabilities), kService.toStdString()) {}

NotificationMock::~NotificationMock() { QDBusConnection::disconnectFromBus(kConnectionName); }

QString NotificationMock::BusAddress() const { return QString::fromStdString(mock_.BusAddress()); }

std::vector<QVariantList> NotificationMock::CallsOf(const QString& method) {
    return MockMethodCalls(QDBusConnection::connectToBus(BusAddress(), kConnectionName), kService,
                           kPath, method);
}

// The keys are the program's own, never quotes.
bool NotificationMock::InvokeAction(uint id, const std::string& key) {
    return mock_.Control(kPath.toStdString(), "EmitSignal",
                         EmittedSignal("ActionInvoked", "us",
                                       "<uint32 " + std::to_string(id) + ">, <'" + key + "'>"));
}

bool NotificationMock::Close(uint id) {
    return mock_.Control(kPath.toStdString(), "EmitSignal",
                         EmittedSignal("NotificationClosed", "uu",
                                       "<uint32 " + std::to_string(id) + ">, <uint32 " +
                                           std::to_string(kDismissedByUser) + ">"));
}

}  // namespace tv::test
