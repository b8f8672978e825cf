// A removable medium copied whole into its own folder under its drive's destination: at once
// when it is inserted (automatic), or when the user asks for it from the tray menu (manual).
// The first run of a medium is a backup, every later one a mirroring; "Decision.txt" tells them
// apart.
#pragma once

namespace tv {

class MainFrame;

void RunRemovableAuto(MainFrame& frame, char letter);
void RunRemovableManual(MainFrame& frame, char letter);

}  // namespace tv
