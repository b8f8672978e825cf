// Writing out what a volume or a folder still holds in memory, and waiting for it.
#include "platform/file_system.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";

// The device of the drive that holds path ("\\.\E:"), or "" when path lies on no lettered
// volume of its own (a network share, a volume mounted in a folder).
std::wstring VolumeDeviceOf(const std::string& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (path.empty() || !GetVolumePathNameW(detail::WidePath(path).c_str(), root, MAX_PATH + 1)) {
        return std::wstring();
    }
    std::wstring volume = root;
    if (volume.compare(0, 4, kLongPathPrefix) == 0) volume.erase(0, 4);
    if (volume.size() != 3 || volume[1] != L':' || volume[2] != L'\\') return std::wstring();
    return L"\\\\.\\" + volume.substr(0, 2);
}

bool IsFolder(HANDLE handle) {
    FILE_BASIC_INFO info{};
    return GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info) &&
           (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The answers of a file system that keeps no way to flush a folder on request.
bool CannotFlushFolders(DWORD error) {
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED;
}

}  // namespace

// Only an administrator may open a volume for writing: a program run by a user gets false here
// (WholeSyncReaches says so beforehand) and syncs file by file.
bool SyncFileSystemOf(const std::string& path) {
    const std::wstring device = VolumeDeviceOf(path);
    if (device.empty()) return false;
    const detail::UniqueHandle volume(CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, 0, nullptr));
    return volume.valid() && FlushFileBuffers(volume.get());
}

// A flush of a folder asks for the right to add a file to it, which every copy put there had:
// no more is asked for, so that a folder the user may fill but not otherwise change is flushed
// too. A folder that cannot be opened so (gone, or closed to the user) is not durable: false.
// A file system that has no flush for folders (some network redirectors) answers that it
// cannot: there the entries are as durable as that file system ever makes them (NTFS and FAT
// write their folders' entries through their own log or cache, not at a program's request),
// and every copy in the folder was flushed before its rename. False there would mark every copy
// into such a folder as failed though nothing more could be done, so the answer is true.
bool SyncFolder(const std::string& folder) {
    if (folder.empty()) return false;
    const detail::UniqueHandle handle(
        CreateFileW(detail::WidePath(folder).c_str(), FILE_ADD_FILE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.valid() || !IsFolder(handle.get())) return false;
    return FlushFileBuffers(handle.get()) || CannotFlushFolders(GetLastError());
}

}  // namespace tv
