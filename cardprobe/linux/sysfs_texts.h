// The storage texts read from sysfs: the backing disk's device/vendor and device/model, found
// from a partition by going up to its disk.
#pragma once

#include <string>

#include "cardprobe/storage_texts.h"

namespace tv::cardprobe {

// device is the backing block device as the drive table names it ("/dev/sdb1"); sysfsRoot is
// normally "/sys". Texts that cannot be read are empty.
StorageTexts ReadStorageTexts(const std::string& sysfsRoot, const std::string& device);

}  // namespace tv::cardprobe
