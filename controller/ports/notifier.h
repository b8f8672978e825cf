// Desktop notifications: a short message that the desktop shows the user and that needs no
// answer, for what happened while nobody watched (a run that failed, a deletion held back, an
// end of the session refused). A notice may offer one action, which the user chooses on it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tv {

struct NoticeAction {
    std::string key;    // what the desktop hands back when the user chooses it
    std::string label;  // the text the user chooses
    // Called on the user-interface thread when the user chooses the action, at most once.
    std::function<void()> chosen;
};

struct Notice {
    std::string summary;
    std::string body;
    std::optional<NoticeAction> action;
};

class Notifier {
  public:
    virtual ~Notifier() = default;
    // False when no notification server took it; its action is then never chosen.
    virtual bool Notify(const Notice& notice) = 0;
};

}  // namespace tv
