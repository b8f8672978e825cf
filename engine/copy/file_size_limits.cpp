#include "engine/copy/file_size_limits.h"

#include "platform/largest_file.h"

namespace tv {

bool FileSizeLimits::Holds(const std::string& folder, uint64_t size) {
    if (!asked_ || folder != folder_) {
        asked_ = true;
        folder_ = folder;
        largest_ = LargestFileIn(folder);
    }
    return !largest_ || size <= *largest_;
}

}  // namespace tv
