#include "tests/app/logind_mock.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <utility>

#include "tests/app/mock_method_calls.h"

namespace tv::test {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kMockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
const QString kConnectionName = QStringLiteral("logind-mock-test");

}  // namespace

LogindMock::LogindMock(std::string folder)
    : mock_(std::move(folder), {"--template", "logind"}, kService.toStdString()) {}

LogindMock::~LogindMock() { QDBusConnection::disconnectFromBus(kConnectionName); }

QString LogindMock::BusAddress() const { return QString::fromStdString(mock_.BusAddress()); }

bool LogindMock::AnswerCanPowerOff(const QString& answer) {
    QDBusInterface mock(kService, kManagerPath, kMockInterface,
                        QDBusConnection::connectToBus(BusAddress(), kConnectionName));
    const QDBusMessage reply =
        mock.call(QStringLiteral("AddMethod"), kManager, QStringLiteral("CanPowerOff"), QString(),
                  QStringLiteral("s"), QStringLiteral("ret = '%1'").arg(answer));
    return reply.type() == QDBusMessage::ReplyMessage;
}

std::vector<QVariantList> LogindMock::CallsOf(const QString& method) {
    return MockMethodCalls(QDBusConnection::connectToBus(BusAddress(), kConnectionName), kService,
                           kManagerPath, method);
}

bool LogindMock::AnnounceShutdown(bool starting) {
    return mock_.Control(kManagerPath.toStdString(), "EmitSignal",
                         "('" + kManager.toStdString() + "', 'PrepareForShutdown', 'b', [<" +
                             (starting ? "true" : "false") + ">])");
}

// ListInhibitors answers a(ssssuu): what, who, why, mode, user and process of each.
std::vector<QString> LogindMock::Inhibitors() {
    QDBusInterface manager(kService, kManagerPath, kManager,
                           QDBusConnection::connectToBus(BusAddress(), kConnectionName));
    const QDBusMessage reply = manager.call(QStringLiteral("ListInhibitors"));
    std::vector<QString> inhibitors;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return inhibitors;
    }
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint user = 0, process = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> user >> process;
        list.endStructure();
        inhibitors.push_back(QStringList{what, who, why, mode}.join(u' '));
    }
    list.endArray();
    return inhibitors;
}

}  // namespace tv::test
