#include "cardprobe/drives.h"

#include "cardprobe/cis_tuples.h"
#include "cardprobe/linux/probe.h"

namespace tv::cardprobe {

std::optional<std::string> RootOfLetter(int letter) {
    return RootOfDrive(DefaultSources(), letter);
}

int ProbeLetter(int letter, MediaInfo* info) { return ProbeDrive(DefaultSources(), letter, info); }

bool ReadSocketVersion(unsigned short selector, PcmciaTupleInfo* info) {
    return ReadPcmciaVersion(DefaultSources().sysfsRoot, selector, info);
}

}  // namespace tv::cardprobe
