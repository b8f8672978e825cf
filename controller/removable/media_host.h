// What removable media need of the frame: the host of their runs, the identity kept on the media,
// the voice guidance, which drives held a medium when last looked at, and the open settings
// dialog, which shows the drives too.
#pragma once

#include "controller/ports/media_identity.h"
#include "controller/ports/voice.h"
#include "controller/removable/media_presence.h"
#include "controller/runners/run_host.h"

namespace tv {

class MediaHost {
  public:
    virtual RunHost& runs() = 0;
    virtual MediaIdentity& media() = 0;
    virtual Voice& voice() = 0;
    virtual RemovablePresence& removablePresence() = 0;
    // Lets the settings dialog, when it is open, bring its lists of drives up to date.
    virtual void TellDialogMediaChanged() = 0;

  protected:
    ~MediaHost() = default;
};

}  // namespace tv
