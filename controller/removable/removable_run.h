// A removable medium copied whole into its own folder under its drive's destination: at once
// when it is inserted (automatic), or when the user asks for it from the tray menu (manual).
// The first run of a medium is a backup, every later one a mirroring; "Decision.txt" tells them
// apart.
#pragma once

#include "controller/removable/media_host.h"

namespace tv {

void RunRemovableAuto(MediaHost& host, char letter);
void RunRemovableManual(MediaHost& host, char letter);

}  // namespace tv
