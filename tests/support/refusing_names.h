// What a destination driver refuses in names, as the tests expect it: every character that
// FAT-family file systems refuse, and the rest as asked.
#pragma once

#include <ostream>

#include "platform/name_refusals.h"

namespace tv {

// How a test failure shows refusals.
inline void PrintTo(const NameRefusals& r, std::ostream* out) {
    *out << "{characters " << r.characters.count() << ", trailingDot " << r.trailingDot
         << ", trailingSpace " << r.trailingSpace << ", deviceNames " << r.deviceNames
         << ", nonAscii " << r.nonAscii << "}";
}

namespace test {

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

}  // namespace test
}  // namespace tv
