// The desktop's session manager as the frame's end-of-session events: its request to save data
// before the session ends is the question whether the session may end, the program's quit at
// the session's end is the end notice.
#pragma once

#include <QGuiApplication>
#include <cstdio>

#include "controller/main_frame.h"

namespace tv {

// Without a session manager nothing ever asks. errors is told once which ends of the session the
// program cannot see, given whether logind holds a shutdown off for it (shutdownDelayed).
void LinkSessionManager(QGuiApplication& application, MainFrame& frame, bool shutdownDelayed,
                        std::FILE* errors);

}  // namespace tv
