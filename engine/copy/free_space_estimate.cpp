#include "engine/copy/free_space_estimate.h"

#include "platform/drive_table.h"

namespace tv {

bool FreeSpaceEstimate::Ask(const std::string& folder) {
    folder_ = folder;
    known_ = drives_.FreeBytesAvailable(folder, &available_);
    return known_;
}

bool FreeSpaceEstimate::Fits(const std::string& folder, uint64_t size) {
    const bool fresh = folder != folder_;
    if (fresh && !Ask(folder)) return true;
    if (known_ && available_ >= size) return true;
    // An estimate carried over from earlier files may be stale (files deleted meanwhile free
    // room): the volume decides.
    if (!fresh && !Ask(folder)) return true;
    return available_ >= size;
}

void FreeSpaceEstimate::Took(const std::string& folder, uint64_t size) {
    if (folder != folder_ || !known_) return;
    available_ = available_ > size ? available_ - size : 0;
}

}  // namespace tv
