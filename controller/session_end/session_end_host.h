// What the end of the session needs of the frame: the host of the run made before the session
// ends, the desktop's ports it speaks to, the frame's mode, what is planned for the session's
// end, and the housekeeping done before every end of the program.
#pragma once

#include "controller/frame_state.h"
#include "controller/ports/copy_runner.h"
#include "controller/ports/notifier.h"
#include "controller/ports/session.h"
#include "controller/ports/timers.h"
#include "controller/runners/run_host.h"
#include "platform/prompts.h"

namespace tv {

struct SessionEndServices {
    Prompts& prompts;
    Notifier& notifier;
    Timers& timers;
    Session& session;
    CopyRunner& copyRunner;
};

class SessionEndHost {
  public:
    virtual RunHost& runs() = 0;
    virtual SessionEndServices sessionEndServices() = 0;
    virtual FrameMode& mode() = 0;
    virtual SessionEndPlan& sessionEnd() = 0;
    // What is done before the program ends; it ends the closing.
    virtual void ExitHousekeeping() = 0;

  protected:
    ~SessionEndHost() = default;
};

}  // namespace tv
