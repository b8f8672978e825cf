// Copies between two open files by reading and writing at the given offsets: Windows has no call
// that copies between any two files inside the kernel, so the bytes pass through a buffer here.
// Neither file's position moves, as with the Linux side's in-kernel copy.
#include <winternl.h>

#include <algorithm>
#include <vector>

#include "platform/file_system.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

constexpr size_t kChunk = size_t{1} << 20;
// FILE_INFORMATION_CLASS's FileAccessInformation, which winternl.h leaves out.
constexpr int kFileAccessInformation = 8;

// A handle opened to append and not to write may not write at an offset: every write of it lands
// at the end, so the copy is left to the caller's own writes.
bool WritesAtOffsets(HANDLE handle) {
    ACCESS_MASK access = 0;
    IO_STATUS_BLOCK status{};
    const NTSTATUS result =
        NtQueryInformationFile(handle, &status, &access, sizeof access,
                               static_cast<FILE_INFORMATION_CLASS>(kFileAccessInformation));
    return NT_SUCCESS(result) && (access & FILE_WRITE_DATA) != 0;
}

OVERLAPPED At(int64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset));
    at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    return at;
}

RangeCopyError WriteErrorOf(DWORD error) {
    return error == ERROR_FILE_TOO_LARGE ? RangeCopyError::TooLarge : RangeCopyError::Write;
}

// The position a handle stands at, to put it back after reads and writes at offsets moved it.
class KeptPosition {
  public:
    explicit KeptPosition(HANDLE handle) : handle_(handle) {
        kept_ = SetFilePointerEx(handle_, LARGE_INTEGER{}, &position_, FILE_CURRENT);
    }
    ~KeptPosition() {
        if (kept_) SetFilePointerEx(handle_, position_, nullptr, FILE_BEGIN);
    }
    KeptPosition(const KeptPosition&) = delete;
    KeptPosition& operator=(const KeptPosition&) = delete;

  private:
    HANDLE handle_;
    LARGE_INTEGER position_{};
    bool kept_ = false;
};

}  // namespace

int64_t File::CopyRangeFrom(const File& source, int64_t sourceOffset, int64_t targetOffset,
                            size_t size, RangeCopyError* error) {
    *error = RangeCopyError::None;
    if (fd_ < 0 || source.fd_ < 0) {
        *error = RangeCopyError::Unsupported;
        return 0;
    }
    const HANDLE from = detail::HandleOfDescriptor(source.fd_);
    const HANDLE to = detail::HandleOfDescriptor(fd_);
    if (!WritesAtOffsets(to)) {
        *error = RangeCopyError::Unsupported;
        return 0;
    }
    const KeptPosition sourcePosition(from), targetPosition(to);
    std::vector<char> buffer(std::min(size, kChunk));
    size_t done = 0;
    while (done < size) {
        const DWORD want = static_cast<DWORD>(std::min(size - done, buffer.size()));
        OVERLAPPED readAt = At(sourceOffset + static_cast<int64_t>(done));
        DWORD got = 0;
        if (!ReadFile(from, buffer.data(), want, &got, &readAt)) {
            if (GetLastError() != ERROR_HANDLE_EOF) *error = RangeCopyError::Read;
            break;
        }
        if (got == 0) break;
        OVERLAPPED writeAt = At(targetOffset + static_cast<int64_t>(done));
        DWORD written = 0;
        if (!WriteFile(to, buffer.data(), got, &written, &writeAt) || written != got) {
            *error = WriteErrorOf(GetLastError());
            break;
        }
        done += got;
    }
    return static_cast<int64_t>(done);
}

}  // namespace tv
