// The notification-area icon and its pop-up menu, as the frame sees them. The desktop
// implements it; tests record what the frame asked for.
#pragma once

#include <string>
#include <vector>

namespace tv {

struct TrayMenuItem {
    int id = 0;
    std::string text;
    bool operator==(const TrayMenuItem& o) const { return id == o.id && text == o.text; }
};

// The mouse events of the icon the frame reacts to; everything else is Other.
enum class TrayEvent { LeftButtonUp, RightButtonUp, LeftDoubleClick, Other };

class Tray {
  public:
    virtual ~Tray() = default;
    // False when there is no notification area to hold the icon.
    virtual bool AddIcon(const std::string& tip) = 0;
    virtual void ModifyIcon(const std::string& tip) = 0;
    virtual void DeleteIcon() = 0;
    // Shows the menu at the cursor and waits for a choice: the chosen id, or 0 for none.
    virtual int ShowMenu(const std::vector<TrayMenuItem>& items) = 0;
};

}  // namespace tv
