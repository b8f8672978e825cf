// Desktop notifications: a short message that the desktop shows the user and that needs no
// answer, for what happened while nobody watched (an unattended run that failed or held back).
#pragma once

#include <string>

namespace tv {

class Notifier {
  public:
    virtual ~Notifier() = default;
    // False when no notification server took it.
    virtual bool Notify(const std::string& summary, const std::string& body) = 0;
};

}  // namespace tv
