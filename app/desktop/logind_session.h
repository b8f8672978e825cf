// The desktop session through systemd-logind on the system bus: powering off, whether the user
// may, and ending the session the program runs in.
#pragma once

#include "controller/ports/session.h"

namespace tv {

class LogindSession : public Session {
  public:
    bool MayPowerOff() override;
    bool PowerOff() override;
    bool EndSession() override;
};

}  // namespace tv
