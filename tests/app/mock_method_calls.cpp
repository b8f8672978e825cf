#include "tests/app/mock_method_calls.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMessage>

namespace tv::test {

// GetMethodCalls answers a(tav): the time of each call and its arguments.
std::vector<QVariantList> MockMethodCalls(const QDBusConnection& bus, const QString& service,
                                          const QString& path, const QString& method) {
    QDBusInterface mock(service, path, QStringLiteral("org.freedesktop.DBus.Mock"), bus);
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
