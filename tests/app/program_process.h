// The built program started as a real process by a test: on Qt's offscreen platform unless the
// test gives it a display, in the test's own world (the environment of a TestWorld), with its
// standard error in a file.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "settings/settings_context.h"
#include "settings/settings_defaults.h"
#include "settings/settings_persistence.h"
#include "tests/support/test_world.h"
#include "tests/support/wait_until.h"

extern char** environ;

namespace tv::test {

inline constexpr auto kPatience = std::chrono::seconds(30);

// The test's environment without a display, a session bus, a system bus named there or a session
// manager that would let the program reach the desktop of whoever runs the tests, and with the
// given display settings added.
inline std::vector<std::string> TestEnvironment(const std::vector<std::string>& display) {
    const char* const kDropped[] = {"DISPLAY=",
                                    "WAYLAND_DISPLAY=",
                                    "DBUS_SESSION_BUS_ADDRESS=",
                                    "DBUS_SYSTEM_BUS_ADDRESS=",
                                    "QT_QPA_PLATFORM=",
                                    "SESSION_MANAGER="};
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        bool dropped = false;
        for (const char* prefix : kDropped) {
            dropped |= std::strncmp(*entry, prefix, std::strlen(prefix)) == 0;
        }
        if (!dropped) variables.emplace_back(*entry);
    }
    variables.insert(variables.end(), display.begin(), display.end());
    return variables;
}

// The null-ended pointer list that posix_spawn takes; variables must outlive it.
inline std::vector<char*> SpawnList(std::vector<std::string>& variables) {
    std::vector<char*> pointers;
    for (std::string& variable : variables) pointers.push_back(variable.data());
    pointers.push_back(nullptr);
    return pointers;
}

inline bool WaitFor(const std::function<bool()>& condition) {
    return WaitUntil(kPatience, condition);
}

// A started program whose standard error goes to a file; killed when the test leaves it.
class ProgramProcess {
  public:
    // display: the variables that choose where its windows go; Qt's offscreen platform when
    // none are given.
    ProgramProcess(const std::string& program, const std::string& errorFile,
                   const std::vector<std::string>& display = {"QT_QPA_PLATFORM=offscreen"}) {
        std::vector<std::string> variables = TestEnvironment(display);
        std::vector<char*> envp = SpawnList(variables);
        std::string path = program;
        char* argv[] = {path.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ProgramProcess() {
        if (pid_ <= 0 || exitCode_) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const { return pid_ > 0; }
    void Send(int signal) { kill(pid_, signal); }
    bool IsRunning() { return started() && !Reap(); }
    // The exit code once the program has ended within the test's patience; -1 when a signal
    // ended it.
    std::optional<int> WaitForExit() {
        WaitFor([this] { return Reap(); });
        return exitCode_;
    }

  private:
    bool Reap() {
        if (exitCode_) return true;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return true;
    }

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

#ifdef TV_PROGRAM_PATH
// A copy of the built program in the world, so the program directory (the program's own folder)
// is the world's.
// The settings an earlier run of the program left for the drives it sees (the host's mounts, not
// the world's pinned-only table), so that it does not open the settings dialog at start-up to
// have new drives assigned.
// change: what the user had changed in them; their lists go to programFolder, where the program
// that reads them lives (by default the world's program directory).
inline void StoreSettingsOfAnEarlierRun(const TestWorld& world,
                                        const std::function<void(SettingsRecord&)>& change = {},
                                        const std::string& programFolder = {}) {
    DriveTable drives(world.configDir());
    drives.Refresh();
    RegistryStore registry(JoinPath(world.configDir(), kRegistryFileName));
    Locations locations = world.locations();
    if (!programFolder.empty()) locations.programDir = programFolder;
    const SettingsContext context{drives, registry, locations, RealClock()};
    SettingsRecord settings = DefaultSettings(context);
    if (change) change(settings);
    SaveSettings(settings, context);
}

inline std::string CopyProgramInto(TestWorld& world) {
    const std::string program = JoinPath(world.MakeFolder("bin"), "tessaravine");
    std::filesystem::copy_file(TV_PROGRAM_PATH, program);
    return program;
}
#endif

}  // namespace tv::test
