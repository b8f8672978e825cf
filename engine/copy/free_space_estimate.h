// How much room the destination folder being written has left, asked of its volume once per
// folder instead of before every file: each copy takes its size off the answer, and the volume
// is asked again only when the estimate says a file would not fit. A write that fails because
// the volume filled up some other way still ends the copy as a full disk.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

class DriveTable;

class FreeSpaceEstimate {
  public:
    explicit FreeSpaceEstimate(const DriveTable& drives) : drives_(drives) {}

    // Whether size bytes fit into folder; true when its volume cannot be asked (the open or
    // the writes tell then).
    bool Fits(const std::string& folder, uint64_t size);
    // A file of size bytes went into folder.
    void Took(const std::string& folder, uint64_t size);

  private:
    bool Ask(const std::string& folder);

    const DriveTable& drives_;
    std::string folder_;
    bool known_ = false;
    uint64_t available_ = 0;
};

}  // namespace tv
