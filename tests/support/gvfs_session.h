// The network file system client of a desktop session, for tests: a D-Bus session bus of its
// own and the GVfs daemon on it, which shows every mounted share as a folder of its FUSE
// mount in $XDG_RUNTIME_DIR/gvfs. It takes HOME and XDG_RUNTIME_DIR from the environment (a
// TestWorld's) and points this process's GIO at its bus, so it must be started before the test
// makes any GIO call. GIO keeps its first session bus for the life of the process, so a test
// program holds one session at most (ctest runs every test in a process of its own). When it
// cannot start, error() says why.
#pragma once

#include <string>
#include <vector>

#include "tests/support/spawned_process.h"

namespace tv::test {

class GvfsSession {
  public:
    GvfsSession();
    ~GvfsSession();
    GvfsSession(const GvfsSession&) = delete;
    GvfsSession& operator=(const GvfsSession&) = delete;

    // Starts the bus and the daemon and waits for its FUSE folder; false, with error(), when not.
    bool Start();
    void Stop();
    const std::string& error() const { return error_; }

    const std::string& runtimeDir() const { return runtimeDir_; }
    std::string FuseFolder() const;
    // Every running process of the session: the bus, the daemon and all it started.
    std::vector<pid_t> Processes() const;

  private:
    bool Fail(const std::string& why);
    std::string BusAddress() const;
    bool StartBus();
    bool StartDaemon();
    bool FuseFolderIsMounted() const;
    void SetVariable(const char* name, const std::string& value);
    void RestoreVariables();

    std::string runtimeDir_;
    SpawnedProcess bus_;
    SpawnedProcess daemon_;
    std::vector<std::pair<std::string, std::string>> savedVariables_;  // name, "\0" when unset
    std::string error_;
};

}  // namespace tv::test
