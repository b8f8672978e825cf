#include "tests/app/logind_mock.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <utility>

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
