// How the frame notices media: the poll of its media timer, and the watch on the mount table
// that stands in for the desktop's notice of media inserted and removed. Both start the
// automatic run of a new medium in a drive set to be backed up when inserted, or of any medium
// when every recognised medium is to be run.
#pragma once

#include "controller/removable/media_host.h"

namespace tv {

// Before the first poll: the first medium present is taken as seen, so it is not run. (Each
// further one is found by one of the next polls and run.)
void NoteMediumPresentAtStart(MediaHost& host);
// The media timer: at most one new medium per poll.
void PollRemovableMedia(MediaHost& host);
// The mount table changed: every medium that came is run in letter order, every drive whose
// medium went has its kind brought up to date.
void OnMountTableChanged(MediaHost& host);

}  // namespace tv
