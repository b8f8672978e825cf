// Status, identity, attributes and times of one named path, through a handle opened for its
// attributes: the volume serial and the file index say who a file is, as the device and the
// inode do on POSIX systems.
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

// FILETIME counts 100 ns ticks from 1601-01-01 UTC.
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kTicksFrom1601To1970 = 116444736000000000;

// The attributes that tell the kind of an entry; the others are the user's.
constexpr DWORD kKindAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

bool ReadInformation(const std::string& path, bool followLink, BY_HANDLE_FILE_INFORMATION* info) {
    const detail::UniqueHandle handle =
        detail::OpenForAttributes(path, FILE_READ_ATTRIBUTES, followLink);
    return handle.valid() && GetFileInformationByHandle(handle.get(), info);
}

std::string NameOfPath(const std::string& path) {
    return AfterLastSeparator(WithoutTrailingSeparators(path));
}

bool SetTimes(const std::string& path, bool followLink, const FileTime& lastAccess,
              const FileTime& lastWrite) {
    const detail::UniqueHandle handle =
        detail::OpenForAttributes(path, FILE_WRITE_ATTRIBUTES, followLink);
    const FILETIME access = detail::FiletimeOf(lastAccess);
    const FILETIME write = detail::FiletimeOf(lastWrite);
    return handle.valid() && SetFileTime(handle.get(), nullptr, &access, &write);
}

}  // namespace

namespace detail {

UniqueHandle OpenForAttributes(const std::string& path, DWORD access, bool followLink) {
    if (path.empty()) return UniqueHandle();
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return UniqueHandle(CreateFileW(WidePath(path).c_str(), access,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, flags, nullptr));
}

FileTime FileTimeOf(const FILETIME& time) {
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                                               time.dwLowDateTime) -
                          kTicksFrom1601To1970;
    int64_t seconds = ticks / kTicksPerSecond;
    int64_t rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kTicksPerSecond;
    }
    return FileTime{seconds, static_cast<int32_t>(rest * 100)};
}

// Windows keeps 100 ns: the nanoseconds below are cut off.
FILETIME FiletimeOf(const FileTime& time) {
    const uint64_t ticks = static_cast<uint64_t>(time.seconds * kTicksPerSecond +
                                                 time.nanoseconds / 100 + kTicksFrom1601To1970);
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(ticks);
    result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return result;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    FileIdentity identity;
    identity.device = info.dwVolumeSerialNumber;
    identity.inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.mode = info.dwFileAttributes;
    identity.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.allocated = identity.size;
    identity.lastAccess = FileTimeOf(info.ftLastAccessTime);
    identity.lastWrite = FileTimeOf(info.ftLastWriteTime);
    // Windows has no status change time: the last write stands for it.
    identity.change = identity.lastWrite;
    return identity;
}

FileStatus StatusOf(const std::string& name, const BY_HANDLE_FILE_INFORMATION& info) {
    const FileIdentity identity = IdentityOf(info);
    FileStatus status;
    status.name = name;
    status.attributes = info.dwFileAttributes;
    status.creation = FileTimeOf(info.ftCreationTime);
    status.lastAccess = identity.lastAccess;
    status.lastWrite = identity.lastWrite;
    status.kind = identity.IsFolder() ? EntryKind::Folder : EntryKind::File;
    status.size = identity.IsFolder() ? 0 : identity.size;
    status.node = NodeIdentity{identity.device, identity.inode};
    return status;
}

}  // namespace detail

bool FileStatus::IsDirectory() const { return (attributes & kAttrDirectory) != 0; }

bool FileIdentity::IsRegularFile() const { return (mode & kKindAttributes) == 0; }

bool FileIdentity::IsFolder() const { return (mode & kKindAttributes) == FILE_ATTRIBUTE_DIRECTORY; }

bool FileIdentity::IsLink() const { return (mode & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool FileIdentity::IsOwnerWritable() const { return (mode & FILE_ATTRIBUTE_READONLY) == 0; }

bool FileIdentity::IsOwnedByThisUser() const { return true; }

uint32_t FileIdentity::CopyPermissions() const { return mode & ~FILE_ATTRIBUTE_READONLY; }

bool FileIdentity::IsSameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode &&
           (mode & kKindAttributes) == (other.mode & kKindAttributes);
}

bool FileIdentity::IsUnchanged(const FileIdentity& later) const {
    return IsSameFile(later) && size == later.size && lastWrite == later.lastWrite &&
           change == later.change;
}

bool GetEntryIdentity(const std::string& path, FileIdentity* identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!ReadInformation(path, false, &info)) return false;
    *identity = detail::IdentityOf(info);
    return true;
}

bool GetFileStatus(const std::string& path, FileStatus* status) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!ReadInformation(path, true, &info)) return false;
    *status = detail::StatusOf(NameOfPath(path), info);
    return true;
}

uint32_t GetFileAttributes(const std::string& path) {
    if (path.empty()) return kInvalidAttributes;
    return ::GetFileAttributesW(detail::WidePath(path).c_str());
}

bool SetFileAttributes(const std::string& path, uint32_t attributes) {
    if (path.empty()) return false;
    const DWORD settable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
    const DWORD bits = attributes & settable;
    return SetFileAttributesW(detail::WidePath(path).c_str(), bits != 0 ? bits : kAttrNormal);
}

bool PathExists(const std::string& path) { return GetFileAttributes(path) != kInvalidAttributes; }

bool IsDirectory(const std::string& path) {
    const uint32_t attributes = GetFileAttributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttrDirectory) != 0;
}

bool SetFileTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite) {
    return SetTimes(path, true, lastAccess, lastWrite);
}

bool SetEntryTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite) {
    return SetTimes(path, false, lastAccess, lastWrite);
}

bool FileSystemOf(const std::string& path, uint64_t* fileSystem) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!ReadInformation(path, true, &info)) return false;
    *fileSystem = info.dwVolumeSerialNumber;
    return true;
}

std::string ResolvedPath(const std::string& path) {
    const detail::UniqueHandle handle = detail::OpenForAttributes(path, 0, true);
    if (!handle.valid()) return path;
    wchar_t buffer[32768];
    const DWORD length =
        GetFinalPathNameByHandleW(handle.get(), buffer, 32768, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= 32768) return path;
    return detail::ProgramPath(std::wstring(buffer, length));
}

}  // namespace tv
