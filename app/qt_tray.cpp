#include "app/qt_tray.h"

#include <QAction>
#include <QCursor>
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

}  // namespace

QtTray::QtTray() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (onEvent_) onEvent_(EventOf(reason));
                     });
}

bool QtTray::AddIcon(const std::string& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
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
