// A Win32 file handle closed by its owner, and what one tells of its file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/windows/win32.h"

namespace tv::detail {

class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    void Reset() {
        if (valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Opens path for looking at (and, with access, changing) its attributes and times, every share
// mode allowed so that files other programs hold open can be looked at too. A folder opens as
// well; a symbolic link is itself opened when not followed.
UniqueHandle OpenForAttributes(const std::string& path, DWORD access, bool followLink);

// The share mode of the program's file opens: an exclusive one lets others only read the file
// meanwhile; the others let every other program read, write and rename it.
DWORD ShareModeOf(bool exclusive);
// Takes handle over as a C runtime descriptor, stored in fd; false (the handle closed) when no
// descriptor is left.
bool AdoptAsDescriptor(UniqueHandle handle, int* fd);
// The handle a descriptor stands for.
HANDLE HandleOfDescriptor(int fd);
// Sets the settable kAttr* bits (read-only, hidden, system, archive) of an open entry, keeping
// its other attributes and its times.
bool SetAttributesOf(HANDLE handle, uint32_t attributes);

FileTime FileTimeOf(const FILETIME& time);
FILETIME FiletimeOf(const FileTime& time);
// Who the file is: the volume's serial and the file's index on it, its attributes as the mode.
FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info);
// What GetFileStatus reports of the entry name, from what its handle told.
FileStatus StatusOf(const std::string& name, const BY_HANDLE_FILE_INFORMATION& info);

}  // namespace tv::detail
