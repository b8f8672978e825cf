// What a python-dbusmock object recorded, read through Qt's D-Bus: the calls of one method.
#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <vector>

namespace tv::test {

// The arguments of every call of method on the mock's object at path, in order; empty when none
// or when they cannot be read.
std::vector<QVariantList> MockMethodCalls(const QDBusConnection& bus, const QString& service,
                                          const QString& path, const QString& method);

}  // namespace tv::test
