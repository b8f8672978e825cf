// The voice guidance at the start of an automatic removable run: what kind of medium was
// recognised (asking the user once per medium when it cannot tell), noted in the activity log,
// then whether a backup or a mirroring begins.
#pragma once

#include "controller/removable/media_host.h"

namespace tv {

// The media kind code of the medium in letter: the card name stored on it, else the user's
// choice in the media type dialog (stored as its card name), CARDPROBE_MEDIA_CANCELLED when the
// user cancelled, 0 when the medium could not be given a serial label.
int IdentifyMedium(MediaHost& host, char letter);

// Nothing unless the settings ask for sound. known: the medium was run before, so a mirroring
// begins; else a backup.
void AnnounceMedium(MediaHost& host, char letter, bool known);

}  // namespace tv
