// Whether the destination's file system can hold a file of a given size, asked once per folder
// as the copy pass goes from folder to folder: a file beyond its limit (FAT's 4 GiB) is refused
// before a byte of it is written, and the files after it are still copied.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

class FileSizeLimits {
  public:
    // True where no limit is known.
    bool Holds(const std::string& folder, uint64_t size);

  private:
    bool asked_ = false;
    std::string folder_;
    std::optional<uint64_t> largest_;
};

}  // namespace tv
