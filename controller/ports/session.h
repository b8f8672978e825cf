// The user's desktop session as the frame sees it, for the action at the end of a run and for
// the system's shutdown, which waits for the frame once it has been announced.
#pragma once

namespace tv {

class Session {
  public:
    virtual ~Session() = default;
    // Whether the user may power the machine off without asking anyone.
    virtual bool MayPowerOff() = 0;
    // Asks for the machine to be powered off; false when that was refused.
    virtual bool PowerOff() = 0;
    // Asks for the session to end (the user is logged off); false when that was refused.
    virtual bool EndSession() = 0;
    // The announced shutdown, held off until the frame has done its work, may go on.
    virtual void LetShutdownProceed() = 0;
};

}  // namespace tv
