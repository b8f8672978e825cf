// EndWindows: the frame ends the session itself, by powering the machine off or logging the user
// off as EndAction says, after the housekeeping done before every end of the program.
#pragma once

#include "controller/session_end/session_end_host.h"

namespace tv {

// Powers off when EndAction is kEndPowerOff, else logs off. When the desktop refuses, the
// program goes on as before and the user is told by a desktop notification.
void EndWindows(SessionEndHost& host);

// At the end of every run: ends the session when an end action was chosen during it.
void CarryOutEndAction(SessionEndHost& host);

}  // namespace tv
