#include "platform/dynamic_library.h"

#include <algorithm>

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

// A drive path ("C:/…", either separator) or a network path ("//server/…").
bool IsFullPath(const std::string& path) {
    const auto isSeparator = [](char c) { return c == '/' || c == '\\'; };
    if (path.size() >= 3 && path[1] == ':' && isSeparator(path[2])) return true;
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

}  // namespace

bool DynamicLibrary::Load(const std::string& fullPath) {
    Unload();
    // Only a full path: a bare name would make the loader search its own folders (the
    // program's, the system's, the current one) and could pick up a library of the same name.
    if (!IsFullPath(fullPath)) return false;
    // The library's own folder is searched for what it needs, and no message box is shown for
    // a file that is no library.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::wstring path = detail::WideFromUtf8(fullPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    handle_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(previousMode);
    return handle_ != nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::Unload() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

}  // namespace tv
