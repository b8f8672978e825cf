// The names of the temporary files that CreateTemporaryBeside makes and WriteFileAtomically
// renames over their targets: "." + the target's name + ".tv" + six random letters or digits.
#pragma once

#include <functional>
#include <string>

namespace tv {

// Names already taken are passed over; this many taken in a row means something else is wrong.
constexpr int kMaxTemporaryAttempts = 100;

// The temporary's path for the target path, without its random part.
std::string TemporaryBesideStem(const std::string& path);
// A new random part for a stem.
std::string RandomTemporaryPart();

// Makes a new temporary file beside path with create, which makes a file of the name it is
// given only when nothing has that name yet; a name found taken (LastFileError Exists) is
// passed over for a fresh one. The name made, or "" when create failed otherwise or every try
// found its name taken.
std::string CreateTemporaryBesideWith(const std::string& path,
                                      const std::function<bool(const std::string&)>& create);

}  // namespace tv
