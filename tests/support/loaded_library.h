// A shared library loaded by its full path for one test, as the program loads its modules:
// dlopen on Linux, LoadLibraryW on Windows. A library that does not load is a test failure.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tv::test {

class LoadedLibrary {
  public:
#ifdef _WIN32
    explicit LoadedLibrary(const wchar_t* path) : handle_(::LoadLibraryW(path)) {
        if (handle_ == nullptr) ADD_FAILURE() << "LoadLibraryW failed: " << ::GetLastError();
    }
    ~LoadedLibrary() {
        if (handle_ != nullptr) ::FreeLibrary(handle_);
    }
    void* Symbol(const char* name) const {
        return handle_ == nullptr ? nullptr
                                  : reinterpret_cast<void*>(::GetProcAddress(handle_, name));
    }
#else
    explicit LoadedLibrary(const char* path) : handle_(::dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) ADD_FAILURE() << ::dlerror();
    }
    ~LoadedLibrary() {
        if (handle_ != nullptr) ::dlclose(handle_);
    }
    void* Symbol(const char* name) const {
        return handle_ == nullptr ? nullptr : ::dlsym(handle_, name);
    }
#endif
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  private:
#ifdef _WIN32
    HMODULE handle_;
#else
    void* handle_;
#endif
};

}  // namespace tv::test
