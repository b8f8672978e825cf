#include "controller/progress/progress_title.h"

namespace tv {

std::string BaseProgressTitle(const std::string& title) {
    return title.empty() ? std::string(kDefaultProgressTitle) : title;
}

std::string ProgressTitle(const std::string& baseTitle, uint64_t done, uint64_t listed) {
    return baseTitle + " (" + std::to_string(done) + "/" + std::to_string(listed) + ")";
}

}  // namespace tv
