#include "cardprobe/file_attributes.h"

#include <io.h>
#include <windows.h>

#include "cardprobe/windows/wide_text.h"

namespace tv::cardprobe {

namespace {

constexpr DWORD kNotAFile =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

}  // namespace

bool SetHiddenReadOnly(int fd) {
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (file == INVALID_HANDLE_VALUE) return false;
    // Zero times leave the file's times as they are.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != 0;
}

bool SetNormal(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kNotAFile) != 0) return false;
    return ::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool RefusesWriting(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & (kNotAFile | FILE_ATTRIBUTE_READONLY)) != 0;
}

}  // namespace tv::cardprobe
