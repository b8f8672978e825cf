#include "cardprobe/small_file.h"

#include <windows.h>

#include <utility>

#include "cardprobe/windows/unique_handle.h"

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

// Paths are the drive roots "X:\" and names of the library's own, so the ANSI calls serve.
bool ReadFilePrefix(const std::string& path, std::size_t limit, std::string* out, Links links) {
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (links == Links::kRefuse) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
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
