// The system announces its shutdown and waits, while the program holds off the shutdown, for the
// frame to let it go. The shutdown cannot be refused, so nothing is asked: the run in progress
// stops as the stop-all button stops it, the run before the session ends is made when ExecuteType
// wants it and it has not been offered yet, and then the shutdown may go on. The program itself
// ends when the system ends it, so a shutdown called off leaves it running as before.
#pragma once

#include "controller/session_end/session_end_host.h"

namespace tv {

void MeetShutdown(SessionEndHost& host);

// At the end of every run while the shutdown is ahead, and at its announcement: once no run is in
// progress, timer kTimerBeforeShutdown does what is left.
void StepTowardsShutdown(SessionEndHost& host);

// Timer kTimerBeforeShutdown: the run before the session ends, or else the shutdown let go.
void FinishBeforeShutdown(SessionEndHost& host);

// The shutdown was called off: runs start again as before.
void ForgetShutdown(SessionEndHost& host);

}  // namespace tv
