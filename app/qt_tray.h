// The tray icon and its menu with Qt. The menu goes with the icon, so a notification area that
// draws its items' menus itself gets it over the bus and shows it beside the icon; on one that
// only docks the icon, Qt shows it at the pointer on a right click.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "controller/ports/tray.h"

namespace tv {

class QtTray : public Tray {
  public:
    QtTray();
    // Where the icon's clicks go; set once the frame exists. They arrive from the event loop,
    // after the notification area's request has been answered.
    void SetEventHandler(std::function<void(TrayEvent)> onEvent) { onEvent_ = std::move(onEvent); }

    void SetMenu(TrayMenu menu) override { menuSource_ = std::move(menu); }
    bool AddIcon(const std::string& tip) override;
    void ModifyIcon(const std::string& tip) override;
    void DeleteIcon() override;

  private:
    void ShowCurrentItems();
    void Later(std::function<void()> call);

    // Declared before the icon, which must let go of it first.
    QMenu menu_;
    QSystemTrayIcon icon_;
    TrayMenu menuSource_;
    std::vector<TrayMenuItem> shownItems_;
    std::function<void(TrayEvent)> onEvent_;
};

}  // namespace tv
