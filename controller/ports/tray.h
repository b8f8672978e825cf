// The notification-area icon and its menu, as the frame sees them. The desktop implements it;
// tests record what the frame asked for and play the user.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tv {

struct TrayMenuItem {
    int id = 0;
    std::string text;
    // A disabled item is shown but cannot be chosen.
    bool enabled = true;
    bool operator==(const TrayMenuItem& o) const {
        return id == o.id && text == o.text && enabled == o.enabled;
    }
};

// The icon's menu, which the desktop draws: beside the icon when the notification area shows
// the menus of its items itself, else at the pointer. It asks for the items each time just
// before it shows them, and hands the id of the chosen item over from its event loop, never
// from inside the notification area's request, so the handler may open a modal window.
struct TrayMenu {
    std::function<std::vector<TrayMenuItem>()> items;
    std::function<void(int id)> choose;
};

// The icon's own clicks the frame reacts to; everything else is Other. The menu is the
// desktop's to show.
enum class TrayEvent { LeftButtonUp, LeftDoubleClick, Other };

class Tray {
  public:
    virtual ~Tray() = default;
    // Set before the icon is added; the icon carries it from then on.
    virtual void SetMenu(TrayMenu menu) = 0;
    // False when there is no notification area to hold the icon.
    virtual bool AddIcon(const std::string& tip) = 0;
    virtual void ModifyIcon(const std::string& tip) = 0;
    virtual void DeleteIcon() = 0;
};

}  // namespace tv
