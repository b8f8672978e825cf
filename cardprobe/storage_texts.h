// The vendor and product texts a storage device reports, and how they go into the probe
// record. Linux reads them from sysfs (linux/sysfs_texts.h), Windows asks the device
// (device_descriptor.h).
#pragma once

#include <string>

#include "cardprobe/cardprobe.h"

namespace tv::cardprobe {

struct StorageTexts {
    std::string vendor;
    std::string product;
};

// The texts keep at most this many bytes, so that they fit the probe record with their NUL.
constexpr std::size_t kMaxStorageText = 127;

// Copies both texts into info, cut to fit, and classifies the product text into its kind.
void PutStorageTexts(const StorageTexts& texts, MediaInfo* info);

}  // namespace tv::cardprobe
