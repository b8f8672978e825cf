// The name of the pipe the instance channel of a lock folder is on.
#pragma once

#include <string>

namespace tv::detail {

// "\\.\pipe\<channel name>.<MD5 of the lower-cased full path of the folder>": each lock folder
// has a pipe of its own, and the same folder however it is written the same pipe.
std::wstring InstancePipeName(const std::string& lockFolder);

}  // namespace tv::detail
