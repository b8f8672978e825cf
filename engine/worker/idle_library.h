// The idle library (kIdleLibraryName) of the program directory: one entry, GetIdleTime, taking
// nothing and answering non-zero when the user is idle. Loaded by its full path only, when
// the owner is created, and freed when the owner goes.
#pragma once

#include <string>

#include "engine/job/run_context.h"
#include "platform/dynamic_library.h"
#include "platform/program_libraries.h"

namespace tv {

inline constexpr const char* kIdleEntryName = "GetIdleTime";

std::string IdleLibraryPath(const std::string& programDir);

class IdleLibrary : public IdleGate {
  public:
    explicit IdleLibrary(const std::string& programDir);
    IdleLibrary(const IdleLibrary&) = delete;
    IdleLibrary& operator=(const IdleLibrary&) = delete;

    // False when the library or its entry is missing. Whether that means "idle" or "busy" is
    // the caller's rule: a copy worker does not wait, the interval runs do not start.
    bool HasFunction() const { return function_ != nullptr; }
    // The entry's answer; idle when there is no entry.
    bool IsIdle() override;

  private:
    using IdleFunction = int (*)();
    DynamicLibrary library_;
    IdleFunction function_ = nullptr;
};

}  // namespace tv
