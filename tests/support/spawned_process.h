// Programs a test starts beside itself (servers, daemons), and the processes they start in
// turn, found by what their environment or command line holds. Every process is ended by its
// id only.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tv::test {

// A started program with its standard output and error in a file; ended when it goes.
class SpawnedProcess {
  public:
    SpawnedProcess() = default;
    ~SpawnedProcess() { Stop(); }
    SpawnedProcess(const SpawnedProcess&) = delete;
    SpawnedProcess& operator=(const SpawnedProcess&) = delete;

    // Starts argv[0] (a full path) with the current environment; on failure, false and why.
    bool Start(const std::vector<std::string>& argv, const std::string& outputFile,
               std::string* error);
    bool IsRunning();
    // Asks it to end, then kills it when it has not ended within a few seconds.
    void Stop();
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
};

// Runs a program to its end with input on its standard input (so that secrets stay off the
// command line); its exit status, or -1 when it could not be run.
int RunWithInput(const std::vector<std::string>& argv, const std::string& input,
                 const std::string& outputFile);

// The NUL-separated contents of /proc/<pid>/<name> ("cmdline", "environ"); empty when gone.
std::string ProcFile(pid_t pid, const std::string& name);
// The processes other than this one whose /proc/<pid>/<name> contains text.
std::vector<pid_t> ProcessesWith(const std::string& name, const std::string& text);
// Ends those processes, each by its id: asked first, killed when still there.
void EndProcesses(const std::vector<pid_t>& pids);

// True when something accepts TCP connections on the IPv4 address and port.
bool AcceptsConnections(const std::string& address, int port);

}  // namespace tv::test
