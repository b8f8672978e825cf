// How mounted volumes get their letters: the mount of "/" is C:; every other volume takes the
// letter it had before when that is free, else the lowest free letter from D: that no absent
// volume is remembered under (the lowest free one when all are), so a medium returns under the
// same letter. A: and B: are for floppy devices only. Pinned letters are never handed out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/linux/volume_letter_memory.h"

namespace tv {

struct LetterRequest {
    std::string key;          // the volume's key in the memory; empty: not remembered
    bool systemRoot = false;  // the mount of "/"
    bool floppy = false;
};

// The letter of each request in order, 0 when no letter is left for it. taken has bit 0 for A:
// set for every pinned letter. The memory learns the letters handed out.
std::vector<char> AssignDriveLetters(const std::vector<LetterRequest>& requests, uint32_t taken,
                                     VolumeLetterMemory* memory);

}  // namespace tv
