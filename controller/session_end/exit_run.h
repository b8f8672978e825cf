// The file/directory run made just before the session ends (the setting ExecuteType): offered
// once in a process, whether the desktop asks first or the system announces its shutdown.
#pragma once

#include "controller/session_end/session_end_host.h"

namespace tv {

// True when ExecuteType asks for the run before the session ends. "This time only" is then
// forgotten in memory alone: the stored settings keep it until they are saved again.
bool ClaimExitRun(int& executeType);

// True, once in a process, when the run before the session ends is to be offered now: the
// desktop's query put the end off for it, or ExecuteType asks for it. From then on it counts as
// offered.
bool TakeExitRun(SessionEndHost& host);

// The file/directory run, unattended, as made before the session ends.
void RunExitRun(SessionEndHost& host);

// Timer kTimerExitRun: asks, runs the file/directory run unattended on OK, then logs the user
// off. Either way the run is not offered again in this process.
void RunBeforeSessionEnds(SessionEndHost& host);

}  // namespace tv
