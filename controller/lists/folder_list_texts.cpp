#include "controller/lists/folder_list_texts.h"

#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr uint64_t kKilobyte = 1024;
constexpr uint64_t kMegabyte = kKilobyte * 1024;
constexpr uint64_t kGigabyte = kMegabyte * 1024;

std::string InUnits(uint64_t bytes, uint64_t unit, const char* suffix) {
    return std::to_string(static_cast<uint32_t>(bytes / unit)) + suffix;
}

}  // namespace

std::string FolderListSizeText(uint64_t bytes) {
    if (bytes >= kGigabyte) return InUnits(bytes, kGigabyte, "GB");
    if (bytes >= kMegabyte) return InUnits(bytes, kMegabyte, "MB");
    if (bytes >= kKilobyte) return InUnits(bytes, kKilobyte, "KB");
    return "1KB";
}

bool IsPassedOverSystemFolder(const FileStatus& entry) {
    if (!entry.IsDirectory() || (entry.attributes & (kAttrHidden | kAttrSystem)) == 0) {
        return false;
    }
    return entry.name == "RECYCLER" || entry.name == "System Volume Information" ||
           entry.name == "SYSﾌｫﾙﾀﾞ";
}

}  // namespace tv
