// The tray icon and its pop-up menu with Qt.
#pragma once

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
    // Where the icon's mouse events go; set once the frame exists.
    void SetEventHandler(std::function<void(TrayEvent)> onEvent) { onEvent_ = std::move(onEvent); }

    bool AddIcon(const std::string& tip) override;
    void ModifyIcon(const std::string& tip) override;
    void DeleteIcon() override;
    int ShowMenu(const std::vector<TrayMenuItem>& items) override;

  private:
    QSystemTrayIcon icon_;
    std::function<void(TrayEvent)> onEvent_;
};

}  // namespace tv
