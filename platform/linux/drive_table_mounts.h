// Which mounts of the mount table become drives.
#pragma once

#include <vector>

#include "platform/linux/mountinfo.h"

namespace tv {

// The mount of "/", and one mount for every volume of a block-device or network file system:
// a volume mounted more than once (bind mounts, a subfolder mounted elsewhere) is seen at its
// mount of the volume's own root, the shortest such mount point, the first of equals. A mount
// hidden under a later mount on the same point is left out. Pseudo file systems never appear.
// The order is that of the volumes' first mounts in the table.
std::vector<MountEntry> DriveMounts(const std::vector<MountEntry>& mounts);

}  // namespace tv
