// What the exports ask of the system about a drive letter and a card socket. Linux resolves
// letters through the program's drive table and reads sysfs (linux/drives.cpp); Windows asks
// the system about its own drive letters but the ones the drive table pins (windows/drives.cpp).
#pragma once

#include <optional>
#include <string>

#include "cardprobe/cardprobe.h"

namespace tv::cardprobe {

// The root folder, with its separator, of a present drive (type 2 and above).
std::optional<std::string> RootOfLetter(int letter);

// CardProbe's answer for the letter; info filled as cardprobe.h describes.
int ProbeLetter(int letter, MediaInfo* info);

// The version tuple of the PC card in socket `selector`.
bool ReadSocketVersion(unsigned short selector, PcmciaTupleInfo* info);

}  // namespace tv::cardprobe
