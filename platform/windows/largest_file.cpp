// FAT is told by the name the volume gives its file system: "FAT" (FAT12 and FAT16) or "FAT32".
// exFAT keeps sizes in 64 bits.
#include "platform/largest_file.h"

#include <cwchar>

#include "platform/windows/file_handle.h"

namespace tv {

std::optional<uint64_t> LargestFileIn(const std::string& folder) {
    // Asked through the opened folder, so that a volume mounted in a folder answers for itself.
    const detail::UniqueHandle handle = detail::OpenForAttributes(folder, 0, true);
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (!handle.valid() ||
        !GetVolumeInformationByHandleW(handle.get(), nullptr, 0, nullptr, nullptr, nullptr,
                                       fileSystem, MAX_PATH + 1)) {
        return std::nullopt;
    }
    if (std::wcsncmp(fileSystem, L"FAT", 3) == 0) return kLargestFatFile;
    return std::nullopt;
}

}  // namespace tv
