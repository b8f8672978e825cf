// The stand-in idle library, for tests whose worker waits for an idle machine. The default
// build is the test program's TV_IDLE_STUB_PATH.
#pragma once

#include <string>

#include "engine/worker/idle_library.h"
#include "platform/dynamic_library.h"
#include "platform/file_system.h"

namespace tv::test {

// Places a build of the stand-in idle library in the program directory as idletime.so and
// talks to it through its own handle (the same library the worker loads).
class IdleStub {
  public:
    explicit IdleStub(const std::string& programDir, const char* build = TV_IDLE_STUB_PATH) {
        std::string bytes;
        ReadWholeFile(build, &bytes);
        WriteFileAtomically(IdleLibraryPath(programDir), bytes);
        library_.Load(IdleLibraryPath(programDir));
    }
    void Answer(int value) const { Call<void (*)(int)>("TvIdleStubSetAnswer")(value); }
    // From that call of the idle function on, the user is busy, whatever Answer said.
    void BusyFromCall(int call) const { Call<void (*)(int)>("TvIdleStubBusyFromCall")(call); }
    int calls() const { return Call<int (*)()>("TvIdleStubCalls")(); }

  private:
    template <typename F>
    F Call(const char* name) const {
        return reinterpret_cast<F>(library_.Symbol(name));
    }
    DynamicLibrary library_;
};

}  // namespace tv::test
