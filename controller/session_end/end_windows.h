// EndWindows: the frame ends the session itself, by powering the machine off or logging the user
// off as EndAction says, after the housekeeping done before every end of the program.
#pragma once

namespace tv {

class MainFrame;

// Powers off when EndAction is kEndPowerOff, else logs off. When the desktop refuses, the
// program goes on as before and the user is told by a desktop notification.
void EndWindows(MainFrame& frame);

// At the end of every run: ends the session when an end action was chosen during it.
void CarryOutEndAction(MainFrame& frame);

}  // namespace tv
