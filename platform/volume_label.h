// Renaming a real volume, which the system does for the program where it allows it.
#pragma once

#include <string>

namespace tv {

// Gives the volume on device (as the drive table records it: the mount's source) the label.
// False when the system refuses or cannot be asked.
bool WriteVolumeLabel(const std::string& device, const std::string& label);

}  // namespace tv
