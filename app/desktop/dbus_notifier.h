// Desktop notifications through the freedesktop.org notification server on the session bus.
#pragma once

#include "controller/ports/notifier.h"

namespace tv {

class DbusNotifier : public Notifier {
  public:
    bool Notify(const std::string& summary, const std::string& body) override;
};

}  // namespace tv
