// What a destination driver refuses in names, as the tests expect it: every character that
// FAT-family file systems refuse, and the rest as asked.
#pragma once

#include "platform/name_refusals.h"

namespace tv::test {

inline NameRefusals RefusingWindowsCharacters(bool trailing, bool deviceNames, bool nonAscii) {
    NameRefusals refusals;
    for (int c = 1; c < 128; ++c) {
        refusals.characters[c] = IsMappableCharacter(static_cast<char>(c));
    }
    refusals.trailingDot = trailing;
    refusals.trailingSpace = trailing;
    refusals.deviceNames = deviceNames;
    refusals.nonAscii = nonAscii;
    return refusals;
}

}  // namespace tv::test
