// The 32-bit volume serial number of a mounted volume.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// The first eight hex digits of a file-system UUID ("ABCD-1234" -> 0xABCD1234,
// "0f3c…" -> 0x0F3C…); false when the UUID has fewer than eight hex digits.
bool SerialFromUuid(const std::string& uuid, uint32_t* serial);

// The serial of a mounted vfat volume as its boot sector holds it (the number Windows shows),
// through FAT_IOCTL_GET_VOLUME_ID on its root folder.
bool FatVolumeSerial(const std::string& mountRoot, uint32_t* serial);

}  // namespace tv
