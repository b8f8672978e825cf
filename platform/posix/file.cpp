#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"

namespace tv {
namespace {

// Opening never blocks (a named pipe in place of a file would otherwise hang the caller), and
// only regular files are accepted.
constexpr int kOpenFlags = O_CLOEXEC | O_NONBLOCK;

detail::UniqueFd OpenForReading(const std::string& path, bool sequential, int extraFlags = 0,
                                int dirFd = AT_FDCWD) {
    const int flags = O_RDONLY | kOpenFlags | extraFlags;
    if (sequential) {
        // Not touching access times is only allowed to the owner; others open normally.
        detail::UniqueFd fd(openat(dirFd, path.c_str(), flags | O_NOATIME));
        if (fd.valid() || errno != EPERM) return fd;
    }
    return detail::UniqueFd(openat(dirFd, path.c_str(), flags));
}

bool IsRegularFile(int fd, struct stat* st) {
    if (fstat(fd, st) != 0) return false;
    if (S_ISREG(st->st_mode)) return true;
    errno = S_ISDIR(st->st_mode) ? EISDIR : EINVAL;
    return false;
}

// The kernel reads this much ahead of any reader anyway: a shorter file (a new one among them)
// gains nothing from the hint that it is read front to back.
constexpr off_t kReadAheadBytes = 128 * 1024;

bool RefuseReadOnly(const std::string& path) {
    if (!detail::HasReadOnlyAttribute(path, true)) return false;
    errno = EACCES;
    return true;
}

// Takes over an opened descriptor once it is known to be a regular file and, for exclusive
// opens, once this holder has the lock; device is the file's, st its status, when asked for.
bool Adopt(detail::UniqueFd fd, bool exclusive, bool sequential, int* out, uint64_t* device,
           struct stat* status = nullptr) {
    struct stat own {};
    struct stat& st = status != nullptr ? *status : own;
    if (!fd.valid() || !IsRegularFile(fd.get(), &st)) return false;
    if (exclusive && flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
    if (sequential && st.st_size > kReadAheadBytes) {
        posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    *out = fd.Release();
    *device = static_cast<uint64_t>(st.st_dev);
    return true;
}

// Opens for appending (access O_WRONLY or O_RDWR), creating the file when missing.
bool OpenAppending(const std::string& path, int access, bool exclusive, int* out,
                   uint64_t* device) {
    const std::string local = ToLocalPath(path);
    if (RefuseReadOnly(local)) return false;
    detail::UniqueFd fd(open(local.c_str(), access | O_CREAT | O_APPEND | kOpenFlags, 0666));
    return Adopt(std::move(fd), exclusive, false, out, device);
}

// Creates a file that nothing has the name of yet, not even a link.
detail::UniqueFd OpenNewAt(int dirFd, const std::string& path, uint32_t mode) {
    return detail::UniqueFd(openat(
        dirFd, path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | kOpenFlags, mode & 0777));
}

// Writes until every byte is out or a write fails; the count of bytes that went out.
size_t WriteAll(int fd, const void* buffer, size_t size) {
    const auto* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

}  // namespace

File::~File() { Close(); }

File::File(File&& other) noexcept
    : fd_(other.fd_),
      device_(other.device_),
      status_(other.status_),
      pastSizeLimit_(other.pastSizeLimit_) {
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        device_ = other.device_;
        status_ = other.status_;
        pastSizeLimit_ = other.pastSizeLimit_;
        other.fd_ = -1;
    }
    return *this;
}

void File::Know(uint32_t mode, uint32_t owner, uint32_t group) {
    status_ = KnownStatus{true, mode, owner, group};
}

bool File::OpenForRead(const std::string& path, bool exclusive, bool sequential) {
    Close();
    return Adopt(OpenForReading(ToLocalPath(path), sequential), exclusive, sequential, &fd_,
                 &device_);
}

bool File::OpenForReadNoFollow(const std::string& path, bool exclusive, bool sequential,
                               FileIdentity* opened) {
    Close();
    FileIdentity identity;
    if (!AdoptKnowing(OpenForReading(ToLocalPath(path), sequential, O_NOFOLLOW), exclusive,
                      sequential, &identity)) {
        return false;
    }
    if (opened != nullptr) *opened = identity;
    return true;
}

bool File::OpenForReadIn(const OpenFolder& folder, const std::string& name, bool exclusive,
                         bool sequential, FileIdentity* opened) {
    Close();
    FileIdentity identity;
    if (!folder.IsOpen() || !AdoptKnowing(OpenForReading(name, sequential, O_NOFOLLOW, folder.fd_),
                                          exclusive, sequential, &identity)) {
        return false;
    }
    if (opened != nullptr) *opened = identity;
    return true;
}

bool File::AdoptKnowing(detail::UniqueFd fd, bool exclusive, bool sequential,
                        FileIdentity* identity) {
    struct stat st {};
    if (!Adopt(std::move(fd), exclusive, sequential, &fd_, &device_, &st)) return false;
    *identity = detail::IdentityOf(st);
    Know(identity->mode, identity->owner, identity->group);
    return true;
}

bool File::CreateNewForWrite(const std::string& path, bool exclusive, bool sequential,
                             uint32_t mode) {
    return CreateNewAt(AT_FDCWD, ToLocalPath(path), exclusive, sequential, mode);
}

bool File::CreateNewIn(const OpenFolder& folder, const std::string& name, bool exclusive,
                       bool sequential, uint32_t mode) {
    Close();
    if (!folder.IsOpen()) return false;
    OpenFolder::Made& made = folder.made_;
    const uint32_t requested = mode & 0777;
    if (!made.known || made.requested != requested) {
        if (!CreateNewAt(folder.fd_, name, exclusive, sequential, requested)) return false;
        made = {true, requested, status_.mode, status_.owner, status_.group, device_};
        return true;
    }
    // A file made new is a regular one, and empty: nothing to read ahead.
    detail::UniqueFd fd = OpenNewAt(folder.fd_, name, requested);
    if (!fd.valid() || (exclusive && flock(fd.get(), LOCK_EX | LOCK_NB) != 0)) return false;
    fd_ = fd.Release();
    device_ = made.device;
    Know(made.mode, made.owner, made.group);
    return true;
}

bool File::CreateNewAt(int dirFd, const std::string& path, bool exclusive, bool sequential,
                       uint32_t mode) {
    Close();
    FileIdentity identity;
    return AdoptKnowing(OpenNewAt(dirFd, path, mode), exclusive, sequential, &identity);
}

bool File::CreateForWrite(const std::string& path, bool exclusive, bool sequential) {
    Close();
    const std::string local = ToLocalPath(path);
    if (RefuseReadOnly(local)) return false;
    // Truncated only once the lock is held, so a refused open leaves the holder's data alone.
    detail::UniqueFd fd(open(local.c_str(), O_WRONLY | O_CREAT | kOpenFlags, 0666));
    if (!Adopt(std::move(fd), exclusive, sequential, &fd_, &device_)) return false;
    if (ftruncate(fd_, 0) == 0) return true;
    Close();
    return false;
}

bool File::OpenForAppend(const std::string& path, bool exclusive) {
    Close();
    return OpenAppending(path, O_WRONLY, exclusive, &fd_, &device_);
}

bool File::OpenForReadAppend(const std::string& path, bool exclusive) {
    Close();
    return OpenAppending(path, O_RDWR, exclusive, &fd_, &device_);
}

int64_t File::Read(void* buffer, size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

bool File::Write(const void* buffer, size_t size) {
    pastSizeLimit_ = false;
    errno = 0;
    if (WriteAll(fd_, buffer, size) == size) return true;
    pastSizeLimit_ = errno == EFBIG;
    return false;
}

bool File::AppendWhole(const void* buffer, size_t size) {
    const size_t done = WriteAll(fd_, buffer, size);
    if (done == size) return true;
    // The part of the record that went out is cut off again, from the end where it went;
    // nothing more can be done when even the cut fails.
    const int64_t after = Size();
    if (after >= static_cast<int64_t>(done)) {
        [[maybe_unused]] const int cut = ftruncate(fd_, static_cast<off_t>(after) - done);
    }
    return false;
}

bool File::Flush() { return fd_ >= 0 && fdatasync(fd_) == 0; }

int64_t File::Size() const {
    struct stat st {};
    if (fd_ < 0 || fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

void File::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    device_ = 0;
    status_ = KnownStatus{};
    pastSizeLimit_ = false;
}

}  // namespace tv
