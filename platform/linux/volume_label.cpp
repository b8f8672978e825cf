// Volume labels are written by udisks2, which asks the user for permission where needed.
#include "platform/volume_label.h"

#include "platform/linux/volume_device.h"
#include "platform/linux/volume_label_udisks.h"

namespace tv {

bool WriteVolumeLabel(const std::string& device, const std::string& label) {
    return SetLabelThroughUdisks(BlockDeviceName(device), label);
}

}  // namespace tv
