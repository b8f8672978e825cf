// Reading the small files the library looks at: the drive table, sysfs attributes and the
// identity files on a medium. Only regular files are read, never more than asked for, and
// opening never blocks on a pipe or device placed under the expected name.
#pragma once

#include <cstddef>
#include <string>

namespace tv::cardprobe {

enum class Links { kFollow, kRefuse };

// Reads the first `limit` bytes at most of the regular file at path into out. False when the
// file cannot be opened, is not a regular file, or a read fails.
bool ReadFilePrefix(const std::string& path, std::size_t limit, std::string* out,
                    Links links = Links::kFollow);

}  // namespace tv::cardprobe
