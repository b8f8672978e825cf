// An open file on Windows: a handle from CreateFileW, kept as a C runtime descriptor so that the
// class is the same on every system. An exclusive open lets others only read the file meanwhile,
// so a second writer's open fails while a viewer still reads what is appended; the others let
// every other program read, write and rename it.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/file_system.h"
#include "platform/win_constants.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

DWORD SequentialFlag(bool sequential) { return sequential ? FILE_FLAG_SEQUENTIAL_SCAN : 0; }

}  // namespace

namespace detail {

DWORD ShareModeOf(bool exclusive) {
    return exclusive ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
}

bool AdoptAsDescriptor(UniqueHandle handle, int* fd) {
    const int adopted = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_BINARY);
    if (adopted < 0) return false;
    handle.Release();
    *fd = adopted;
    return true;
}

HANDLE HandleOfDescriptor(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool SetAttributesOf(HANDLE handle, uint32_t attributes) {
    FILE_BASIC_INFO info{};
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info)) return false;
    const DWORD settable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
    info.FileAttributes = (info.FileAttributes & ~settable) | (attributes & settable);
    if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    // The times stay as they are: zero means "not changed".
    info.CreationTime.QuadPart = 0;
    info.LastAccessTime.QuadPart = 0;
    info.LastWriteTime.QuadPart = 0;
    info.ChangeTime.QuadPart = 0;
    return SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info);
}

}  // namespace detail

File::~File() { Close(); }

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      device_(other.device_),
      status_(other.status_),
      pastSizeLimit_(other.pastSizeLimit_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        device_ = other.device_;
        status_ = other.status_;
        pastSizeLimit_ = other.pastSizeLimit_;
    }
    return *this;
}

// Windows refuses to write a read-only file to everyone. The attribute is looked at here too,
// as Wine run by root would otherwise let the write through.
static bool RefuseReadOnly(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(detail::WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        return false;
    }
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

// Opens path with CreateFileW and takes the handle over as a descriptor.
static bool OpenHandle(int* fd, const std::string& path, DWORD access, bool exclusive,
                       DWORD disposition, DWORD flags) {
    if (path.empty()) return false;
    detail::UniqueHandle handle(CreateFileW(detail::WidePath(path).c_str(), access,
                                            detail::ShareModeOf(exclusive), nullptr, disposition,
                                            flags | FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle.valid() && detail::AdoptAsDescriptor(std::move(handle), fd);
}

static HANDLE HandleOf(int fd) { return detail::HandleOfDescriptor(fd); }

bool File::OpenForRead(const std::string& path, bool exclusive, bool sequential) {
    Close();
    return OpenHandle(&fd_, path, GENERIC_READ, exclusive, OPEN_EXISTING,
                      SequentialFlag(sequential));
}

bool File::CreateForWrite(const std::string& path, bool exclusive, bool sequential) {
    Close();
    if (RefuseReadOnly(path)) return false;
    return OpenHandle(&fd_, path, GENERIC_WRITE, exclusive, CREATE_ALWAYS,
                      SequentialFlag(sequential));
}

bool File::OpenForAppend(const std::string& path, bool exclusive) {
    Close();
    if (RefuseReadOnly(path)) return false;
    return OpenHandle(&fd_, path, FILE_APPEND_DATA | SYNCHRONIZE, exclusive, OPEN_ALWAYS, 0);
}

bool File::OpenForReadAppend(const std::string& path, bool exclusive) {
    Close();
    if (RefuseReadOnly(path)) return false;
    return OpenHandle(&fd_, path, GENERIC_READ | FILE_APPEND_DATA | SYNCHRONIZE, exclusive,
                      OPEN_ALWAYS, 0);
}

int64_t File::Read(void* buffer, size_t size) {
    if (fd_ < 0) return -1;
    size_t done = 0;
    while (done < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, INT_MAX));
        DWORD got = 0;
        if (!ReadFile(HandleOf(fd_), static_cast<char*>(buffer) + done, chunk, &got, nullptr)) {
            return -1;
        }
        if (got == 0) break;
        done += got;
    }
    return static_cast<int64_t>(done);
}

bool File::Write(const void* buffer, size_t size) {
    pastSizeLimit_ = false;
    if (fd_ < 0) return false;
    for (size_t done = 0; done < size;) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, INT_MAX));
        DWORD written = 0;
        if (!WriteFile(HandleOf(fd_), static_cast<const char*>(buffer) + done, chunk, &written,
                       nullptr) ||
            written == 0) {
            pastSizeLimit_ = GetLastError() == ERROR_FILE_TOO_LARGE;
            return false;
        }
        done += written;
    }
    return true;
}

bool File::AppendWhole(const void* buffer, size_t size) {
    const int64_t before = Size();
    if (before < 0) return false;
    if (Write(buffer, size)) return true;
    SetSize(before);
    return false;
}

bool File::Flush() { return fd_ >= 0 && FlushFileBuffers(HandleOf(fd_)); }

int64_t File::Size() const {
    LARGE_INTEGER size{};
    if (fd_ < 0 || !GetFileSizeEx(HandleOf(fd_), &size)) return -1;
    return size.QuadPart;
}

bool File::GetIdentity(FileIdentity* identity) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (fd_ < 0 || !GetFileInformationByHandle(HandleOf(fd_), &info)) return false;
    *identity = detail::IdentityOf(info);
    return true;
}

void File::Close() {
    if (fd_ >= 0) _close(fd_);
    fd_ = -1;
    device_ = 0;
    status_ = KnownStatus();
    pastSizeLimit_ = false;
}

}  // namespace tv
