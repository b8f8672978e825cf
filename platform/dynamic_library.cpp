// What a loaded library's owner does on every system; loading, symbols and unloading are the
// system's own (posix/, windows/).
#include "platform/dynamic_library.h"

#include <utility>

namespace tv {

DynamicLibrary::~DynamicLibrary() { Unload(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Unload();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

}  // namespace tv
