// Writing an identity file onto a medium so that a failed write leaves nothing behind: the
// bytes go to a new file beside the target, which gets its attributes and then takes the
// target's name in one step. Until then the target is untouched.
#pragma once

#include <string>
#include <string_view>

namespace tv::cardprobe {

// Writes bytes as the hidden read-only file at path, replacing a writable file there. False
// when something at path refuses writing, or any step fails; then no new file remains.
bool WriteHiddenReadOnlyFile(const std::string& path, std::string_view bytes);

}  // namespace tv::cardprobe
