// EndSessionQuery: the desktop asks whether the session may end (a shutdown or a log-off). A
// run in progress holds it off and carries it out itself when the run has ended; the setting
// ExecuteType holds the first request off to run the file/directory backup before the end.
#pragma once

#include "controller/session_end/session_end_host.h"

namespace tv {

// True when the session may end now. logOff tells a log-off from a shutdown.
bool MayEndSession(SessionEndHost& host, bool logOff);

}  // namespace tv
