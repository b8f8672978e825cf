// Setting the label of a real volume goes through udisks2 on the system bus, which asks the
// user for permission where the system requires it.
#pragma once

#include <string>

namespace tv {

// Calls Filesystem.SetLabel on the block object of the device ("sdb1"). False when there is no
// system bus or udisks2, or it refuses.
bool SetLabelThroughUdisks(const std::string& deviceName, const std::string& label);

// The object path udisks2 gives a block device: characters other than letters and digits are
// written as _ and two hex digits ("dm-0" -> ".../block_devices/dm_2d0").
std::string UdisksBlockObjectPath(const std::string& deviceName);

}  // namespace tv
