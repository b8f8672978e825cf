// The names of the temporary files that CreateTemporaryBeside makes and WriteFileAtomically
// renames over their targets: "." + the target's name + ".tv" + six random letters or digits.
#pragma once

#include <string>

namespace tv {

// Names already taken are passed over; this many taken in a row means something else is wrong.
constexpr int kMaxTemporaryAttempts = 100;

// The temporary's path for the target path, without its random part.
std::string TemporaryBesideStem(const std::string& path);
// A new random part for a stem.
std::string RandomTemporaryPart();

}  // namespace tv
