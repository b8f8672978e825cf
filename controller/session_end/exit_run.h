// The file/directory run offered just before the session ends (the setting ExecuteType): after
// it, or when the user declines it, the frame logs the user off itself.
#pragma once

namespace tv {

class MainFrame;

// Timer kTimerExitRun: asks, runs the file/directory run unattended on OK, then ends the
// session. Either way the run is not offered again in this process.
void RunBeforeSessionEnds(MainFrame& frame);

}  // namespace tv
