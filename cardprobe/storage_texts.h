// The vendor and product texts a storage device reports, read from sysfs: the backing disk's
// device/vendor and device/model, found from a partition by going up to its disk.
#pragma once

#include <string>

namespace tv::cardprobe {

struct StorageTexts {
    std::string vendor;
    std::string product;
};

// The texts keep at most this many bytes, so that they fit the probe record with their NUL.
constexpr std::size_t kMaxStorageText = 127;

// device is the backing block device as the drive table names it ("/dev/sdb1"); sysfsRoot is
// normally "/sys". Texts that cannot be read are empty.
StorageTexts ReadStorageTexts(const std::string& sysfsRoot, const std::string& device);

}  // namespace tv::cardprobe
