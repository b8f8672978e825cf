// What the library looks at to answer for a drive letter, and the probe of a drive. The
// exports use the program's drive table file and the real sysfs; tests hand in their own.
#pragma once

#include <optional>
#include <string>

#include "cardprobe/cardprobe.h"
#include "cardprobe/drive_file.h"

namespace tv::cardprobe {

struct ProbeSources {
    std::string driveFile;  // drives.tsv
    std::string sysfsRoot;  // "/sys"
};

ProbeSources DefaultSources();

// The root folder of a present drive (type 2 and above); none for an absent letter.
std::optional<std::string> RootOfDrive(const ProbeSources& sources, int letter);

// The probe behind CardProbe: drive type from the drive table (1 for a letter it does not
// have); for a removable drive also the free space query and the storage device's texts,
// classified into the media kind.
int ProbeDrive(const ProbeSources& sources, int letter, MediaInfo* info);

}  // namespace tv::cardprobe
