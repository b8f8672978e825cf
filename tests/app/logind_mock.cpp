#include "tests/app/logind_mock.h"

#include <unistd.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>

#include "platform/paths.h"

namespace tv::test {
namespace {

constexpr const char* kDbusDaemon = "/usr/bin/dbus-daemon";
constexpr const char* kPython = "/usr/bin/python3";
constexpr auto kStartPatience = std::chrono::seconds(20);
const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kMockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
const QString kConnectionName = QStringLiteral("logind-mock-test");

}  // namespace

LogindMock::LogindMock(std::string folder) : folder_(std::move(folder)) {}

LogindMock::~LogindMock() {
    mock_.Stop();
    bus_.Stop();
    QDBusConnection::disconnectFromBus(kConnectionName);
}

QString LogindMock::BusAddress() const {
    return QString::fromStdString("unix:path=" + JoinPath(folder_, "bus"));
}

bool LogindMock::Fail(const std::string& why) {
    error_ = "the logind stand-in cannot start: " + why;
    return false;
}

bool LogindMock::MockOwnsLogindName() {
    QDBusConnection bus = QDBusConnection::connectToBus(BusAddress(), kConnectionName);
    return bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
}

// The session bus configuration, listening in the test's folder; the template itself belongs
// on the system bus, --session puts it on this one.
bool LogindMock::Start() {
    std::string why;
    if (!bus_.Start(
            {kDbusDaemon, "--session", "--nofork", "--address=" + BusAddress().toStdString()},
            JoinPath(folder_, "bus.out"), &why)) {
        return Fail(why + " (package dbus)");
    }
    if (!WaitUntil(kStartPatience,
                   [this] { return access(JoinPath(folder_, "bus").c_str(), F_OK) == 0; })) {
        return Fail("dbus-daemon made no socket (see " + JoinPath(folder_, "bus.out") + ")");
    }
    const std::string log = JoinPath(folder_, "dbusmock.out");
    if (!mock_.Start({"/usr/bin/env", "DBUS_SESSION_BUS_ADDRESS=" + BusAddress().toStdString(),
                      kPython, "-m", "dbusmock", "--session", "--template", "logind"},
                     log, &why)) {
        return Fail(why);
    }
    if (!WaitUntil(kStartPatience, [this] { return MockOwnsLogindName(); })) {
        return Fail("python3 -m dbusmock --template logind never owned " + kService.toStdString() +
                    " (package python3-dbusmock; see " + log + ")");
    }
    return true;
}

bool LogindMock::AnswerCanPowerOff(const QString& answer) {
    QDBusInterface mock(kService, kManagerPath, kMockInterface,
                        QDBusConnection::connectToBus(BusAddress(), kConnectionName));
    const QDBusMessage reply =
        mock.call(QStringLiteral("AddMethod"), kManager, QStringLiteral("CanPowerOff"), QString(),
                  QStringLiteral("s"), QStringLiteral("ret = '%1'").arg(answer));
    return reply.type() == QDBusMessage::ReplyMessage;
}

// GetMethodCalls answers a(tav): the time of each call and its arguments.
std::vector<QVariantList> LogindMock::CallsOf(const QString& method) {
    QDBusInterface mock(kService, kManagerPath, kMockInterface,
                        QDBusConnection::connectToBus(BusAddress(), kConnectionName));
    const QDBusMessage reply = mock.call(QStringLiteral("GetMethodCalls"), method);
    std::vector<QVariantList> calls;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return calls;
    const QDBusArgument list = reply.arguments().at(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        qulonglong time = 0;
        QVariantList arguments;
        list.beginStructure();
        list >> time >> arguments;
        list.endStructure();
        calls.push_back(arguments);
    }
    list.endArray();
    return calls;
}

}  // namespace tv::test
