// What a volume reports of its room, and its label, through the drive calls.
#include "platform/volume_label.h"
#include "platform/volume_space.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

// The folder of path that the disk calls are asked about: path itself when it is a folder, else
// the folder holding it.
std::wstring FolderOf(const std::string& path) {
    std::wstring folder = detail::WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::wstring();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) folder.erase(folder.find_last_of(L'\\'));
    if (folder.empty() || folder.back() != L'\\') folder.push_back(L'\\');
    return folder;
}

}  // namespace

// The counts in bytes: a block of one byte, which is all the callers multiply by.
bool ReadVolumeCounts(const std::string& path, VolumeCounts* counts) {
    const std::wstring folder = FolderOf(path);
    ULARGE_INTEGER available{}, total{}, free{};
    if (folder.empty() || !GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free)) {
        return false;
    }
    counts->totalBlocks = total.QuadPart;
    counts->availableBlocks = available.QuadPart;
    counts->blockSize = 1;
    return true;
}

bool ReadUsedBytes(const std::string& path, uint64_t* bytes) {
    const std::wstring folder = FolderOf(path);
    ULARGE_INTEGER available{}, total{}, free{};
    if (folder.empty() || !GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free)) {
        return false;
    }
    *bytes = total.QuadPart - free.QuadPart;
    return true;
}

// device is the drive's root ("E:/").
bool WriteVolumeLabel(const std::string& device, const std::string& label) {
    std::wstring root = detail::WideFromUtf8(device);
    for (wchar_t& c : root) {
        if (c == L'/') c = L'\\';
    }
    return SetVolumeLabelW(root.c_str(), detail::WideFromUtf8(label).c_str()) != 0;
}

}  // namespace tv
