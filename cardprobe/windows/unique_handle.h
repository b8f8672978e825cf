// Owns one open Win32 handle and closes it when it goes.
#pragma once

#include <windows.h>

namespace tv::cardprobe {

class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() {
        if (valid()) ::CloseHandle(handle_);
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

  private:
    HANDLE handle_;
};

}  // namespace tv::cardprobe
