#include "app/qt_tray.h"

#include <QAction>
#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <utility>

#include "app/tray_picture.h"

namespace tv {

namespace {

TrayEvent EventOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return TrayEvent::LeftButtonUp;
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
    icon_.setContextMenu(&menu_);
    QObject::connect(&menu_, &QMenu::aboutToShow, [this] { ShowCurrentItems(); });
    QObject::connect(&menu_, &QMenu::triggered, [this](const QAction* action) {
        const int id = action->data().toInt();
        Later([this, id] {
            if (menuSource_.choose) menuSource_.choose(id);
        });
    });
    QObject::connect(&icon_, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         const TrayEvent event = EventOf(reason);
                         Later([this, event] {
                             if (onEvent_) onEvent_(event);
                         });
                     });
}

// What the menu shows is asked for again before each showing (drives come and go, the frame may
// be busy). Unchanged items are left in place, so a choice made from the menu the notification
// area holds still finds its item. Some notification areas read the menu when the icon appears
// and, told that nothing needs updating before a showing, show what they read: so the menu is
// also filled when the icon appears and whenever its tip changes.
void QtTray::ShowCurrentItems() {
    if (!menuSource_.items) return;
    std::vector<TrayMenuItem> items = menuSource_.items();
    if (items == shownItems_) return;
    menu_.clear();
    for (const TrayMenuItem& item : items) {
        QAction* action = menu_.addAction(QString::fromStdString(item.text));
        action->setData(item.id);
        action->setEnabled(item.enabled);
    }
    shownItems_ = std::move(items);
}

// The notification area waits for the answer to its request; what a click starts (a modal
// dialog among others) runs once the request has been answered.
void QtTray::Later(std::function<void()> call) {
    QMetaObject::invokeMethod(&menu_, std::move(call), Qt::QueuedConnection);
}

bool QtTray::AddIcon(const std::string& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable() && !TrayMayAppearLater()) return false;
    icon_.setIcon(TrayPicture());
    icon_.setToolTip(QString::fromStdString(tip));
    ShowCurrentItems();
    icon_.show();
    return true;
}

void QtTray::ModifyIcon(const std::string& tip) {
    icon_.setToolTip(QString::fromStdString(tip));
    ShowCurrentItems();
}

void QtTray::DeleteIcon() { icon_.hide(); }

}  // namespace tv
