#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace tv {

bool DynamicLibrary::Load(const std::string& fullPath) {
    Unload();
    // Only an absolute path: a bare name would make the loader search its own folders and
    // could pick up a library of the same name from somewhere else.
    if (fullPath.empty() || fullPath.front() != '/') return false;
    handle_ = dlopen(fullPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle_ != nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) return nullptr;
    return dlsym(handle_, name);
}

void DynamicLibrary::Unload() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
}

}  // namespace tv
