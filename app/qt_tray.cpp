#include "app/qt_tray.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QObject>
#include <QString>

#include "app/tray_picture.h"

namespace tv {

namespace {

TrayEvent EventOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return TrayEvent::LeftButtonUp;
        case QSystemTrayIcon::Context:
            return TrayEvent::RightButtonUp;
        case QSystemTrayIcon::DoubleClick:
            return TrayEvent::LeftDoubleClick;
        default:
            return TrayEvent::Other;
    }
}

// On X11 a notification area can start after the program (a session's autostart often wins the
// race with its panel): an icon shown before is placed by Qt as soon as one appears, and again
// when the panel restarts. Without it the program would stay resident where no one can reach it.
bool TrayMayAppearLater() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace

QtTray::QtTray() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (onEvent_) onEvent_(EventOf(reason));
                     });
}

bool QtTray::AddIcon(const std::string& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable() && !TrayMayAppearLater()) return false;
    icon_.setIcon(TrayPicture());
    icon_.setToolTip(QString::fromStdString(tip));
    icon_.show();
    return true;
}

void QtTray::ModifyIcon(const std::string& tip) { icon_.setToolTip(QString::fromStdString(tip)); }

void QtTray::DeleteIcon() { icon_.hide(); }

int QtTray::ShowMenu(const std::vector<TrayMenuItem>& items) {
    QMenu menu;
    for (const TrayMenuItem& item : items) {
        menu.addAction(QString::fromStdString(item.text))->setData(item.id);
    }
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace tv
