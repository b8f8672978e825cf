#include "cardprobe/small_file.h"

#include <windows.h>

#include <utility>

#include "cardprobe/windows/unique_handle.h"
#include "cardprobe/windows/wide_text.h"

namespace tv::cardprobe {

namespace {

// A plain file on a disk: not a folder, a link, a pipe or a device placed under the name.
bool IsRegularFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION status;
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &status)) {
        return false;
    }
    return (status.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
           0;
}

}  // namespace

bool ReadFilePrefix(const std::string& path, std::size_t limit, std::string* out, Links links) {
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (links == Links::kRefuse) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    UniqueHandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, flags, nullptr));
    if (!file.valid() || !IsRegularFile(file.get())) return false;

    std::string bytes(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
        const std::size_t wanted = limit - filled;
        const DWORD chunk = wanted > MAXDWORD ? MAXDWORD : static_cast<DWORD>(wanted);
        DWORD got = 0;
        if (!::ReadFile(file.get(), &bytes[filled], chunk, &got, nullptr)) return false;
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    *out = std::move(bytes);
    return true;
}

}  // namespace tv::cardprobe
