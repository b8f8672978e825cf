// Where systemd-logind's manager answers on the system bus.
#pragma once

#include <QString>

namespace tv {

inline const QString kLogindService = QStringLiteral("org.freedesktop.login1");
inline const QString kLogindManagerPath = QStringLiteral("/org/freedesktop/login1");
inline const QString kLogindManager = QStringLiteral("org.freedesktop.login1.Manager");

}  // namespace tv
