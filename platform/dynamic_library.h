// A shared library loaded by its full path; unloaded when the owner goes.
#pragma once

#include <string>

namespace tv {

class DynamicLibrary {
  public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // False when the file is missing or not a loadable library.
    bool Load(const std::string& fullPath);
    // The address of an exported symbol, or nullptr.
    void* Symbol(const char* name) const;
    bool IsLoaded() const { return handle_ != nullptr; }
    void Unload();

  private:
    void* handle_ = nullptr;
};

}  // namespace tv
