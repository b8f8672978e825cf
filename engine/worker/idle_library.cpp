#include "engine/worker/idle_library.h"

#include "platform/paths.h"

namespace tv {

std::string IdleLibraryPath(const std::string& programDir) {
    return JoinPath(programDir, kIdleLibraryName);
}

IdleLibrary::IdleLibrary(const std::string& programDir) {
    if (!library_.Load(IdleLibraryPath(programDir))) return;
    function_ = reinterpret_cast<IdleFunction>(library_.Symbol(kIdleEntryName));
    // A library without the entry is of no use: let it go at once.
    if (function_ == nullptr) library_.Unload();
}

bool IdleLibrary::IsIdle() { return function_ == nullptr || function_() != 0; }

}  // namespace tv
