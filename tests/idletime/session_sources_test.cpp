// The built idle library, loaded as the program loads it, in a process of its own for each
// desktop session a case plays: its session variables, a GNOME compositor's idle monitor and
// logind, each stood in for by python-dbusmock on a bus of its own, missing, or a bus that never
// answers; and a real X server (Xvfb), whose counter says "busy" as it has just started.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/app/private_x_server.h"
#include "tests/support/dbus_mock.h"
#include "tests/support/test_world.h"
#include "tests/support/wait_until.h"

extern char** environ;

namespace tv::test {
namespace {

constexpr const char* kMutterService = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kMutterPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* kLogindService = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
// Where logind answers for the caller's session; the stand-in holds a session of that name.
constexpr const char* kCallersSessionPath = "/org/freedesktop/login1/session/auto";
// Far more than the library may take with buses that never answer; a worker asks it between
// two buffers.
constexpr auto kAnswerPatience = std::chrono::seconds(2);
constexpr const char* kSessionVariables[] = {
    "DISPLAY=",         "WAYLAND_DISPLAY=",          "XDG_SESSION_TYPE=",
    "XDG_RUNTIME_DIR=", "DBUS_SESSION_BUS_ADDRESS=", "DBUS_SYSTEM_BUS_ADDRESS="};

enum class Bus { kAbsent, kSilent, kMock };

// A session's variables; "$X" stands for the private X server's display.
// What the session's desktop has told logind: nothing ever, or busy or idle at some time.
enum class Hint { kNeverSet, kBusy, kIdle };

struct Case {
    const char* name;
    std::vector<std::string> session;
    Bus sessionBus;
    uint64_t compositorInactiveMs;
    Bus systemBus;
    Hint hint;
    const char* answer;
};

// A socket that takes connections and never reads them: a bus that does not answer.
class SilentBus {
  public:
    explicit SilentBus(const std::string& path) : path_(path) {
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (fd_ < 0 || path.size() >= sizeof address.sun_path) return;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        listening_ = bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     listen(fd_, SOMAXCONN) == 0;
    }
    ~SilentBus() {
        if (fd_ >= 0) close(fd_);
    }
    SilentBus(const SilentBus&) = delete;
    SilentBus& operator=(const SilentBus&) = delete;

    bool listening() const { return listening_; }
    std::string address() const { return "unix:path=" + path_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool listening_ = false;
};

// This process's environment without any trace of the desktop session it runs in.
std::vector<std::string> EnvironmentOutsideAnySession() {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        bool drop = false;
        for (const char* prefix : kSessionVariables) {
            drop |= std::strncmp(*entry, prefix, std::strlen(prefix)) == 0;
        }
        if (!drop) variables.emplace_back(*entry);
    }
    return variables;
}

// The library's answer in a new process with these variables: "idle", "busy", or what went
// wrong.
std::string AskInProcess(std::vector<std::string> variables, const std::string& outputFile) {
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string probe = TV_IDLE_PROBE_PATH;
    std::string library = IDLETIME_LIBRARY_PATH;
    char* argv[] = {probe.data(), library.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return "the probe could not be started";
    int status = 0;
    const bool ended = WaitUntil(
        kAnswerPatience, [&] { return waitpid(pid, &status, WNOHANG) != 0; },
        std::chrono::milliseconds(10));
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return "no answer within the patience";
    }
    std::string text;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !ReadWholeFile(outputFile, &text)) {
        return "the probe failed";
    }
    return text.substr(0, text.find('\n'));
}

class IdleSessionSources : public ::testing::Test {
  protected:
    // Empty when everything started, else why not.
    std::string StartBuses() {
        if (!silent_.listening()) return "cannot listen on " + JoinPath(world_.base(), "silent");
        if (!mutter_.Start()) return mutter_.error();
        if (!logind_.Start()) return logind_.error();
        if (!logind_.Control(kLogindPath, "AddSession",
                             "('auto', 'seat0', uint32 1000, 'tester', true)")) {
            return logind_.error();
        }
        return "";
    }

    std::string Answer(const Case& c, const std::string& display = "") {
        std::vector<std::string> variables = EnvironmentOutsideAnySession();
        for (const std::string& variable : c.session) {
            const size_t at = variable.find("$X");
            variables.push_back(at == std::string::npos ? variable
                                                        : variable.substr(0, at) + display);
        }
        variables.push_back("DBUS_SESSION_BUS_ADDRESS=" + Address(c.sessionBus, mutter_));
        variables.push_back("DBUS_SYSTEM_BUS_ADDRESS=" + Address(c.systemBus, logind_));
        if (c.sessionBus == Bus::kMock) {
            EXPECT_TRUE(mutter_.Control(kMutterPath, "AddMethod",
                                        "('', 'GetIdletime', '', 't', 'ret = " +
                                            std::to_string(c.compositorInactiveMs) + "')"))
                << mutter_.error();
        }
        if (c.systemBus == Bus::kMock) {
            EXPECT_TRUE(logind_.Control(kCallersSessionPath, "UpdateProperties",
                                        std::string("('org.freedesktop.login1.Session', "
                                                    "{'IdleHint': <") +
                                            (c.hint == Hint::kIdle ? "true" : "false") +
                                            ">, 'IdleSinceHintMonotonic': <uint64 " +
                                            (c.hint == Hint::kNeverSet ? "0" : "81234567") + ">})"))
                << logind_.error();
        }
        return AskInProcess(variables, JoinPath(world_.base(), "answer.txt"));
    }

  private:
    std::string Address(Bus bus, const DbusMock& mock) const {
        switch (bus) {
            case Bus::kMock:
                return mock.BusAddress();
            case Bus::kSilent:
                return silent_.address();
            case Bus::kAbsent:
                break;
        }
        return "unix:path=" + JoinPath(world_.base(), "no-bus-here");
    }

    TestWorld world_;
    SilentBus silent_{JoinPath(world_.base(), "silent")};
    DbusMock mutter_{
        world_.MakeFolder("mutter"), {kMutterService, kMutterPath, kMutterService}, kMutterService};
    DbusMock logind_{world_.MakeFolder("logind"), {"--template", "logind"}, kLogindService};
};

#define SKIP_LOUDLY(why)                                              \
    do {                                                              \
        const std::string reason = (why);                             \
        std::fprintf(stderr, "SKIPPED LOUDLY: %s\n", reason.c_str()); \
        GTEST_SKIP() << "SKIPPED LOUDLY: " << reason;                 \
    } while (false)

TEST_F(IdleSessionSources, TheFirstSourceThatAnswersDecides) {
    const std::string notStarted = StartBuses();
    if (!notStarted.empty()) SKIP_LOUDLY(notStarted);
    const Case cases[] = {
        {"nothing can measure: idle", {}, Bus::kAbsent, 0, Bus::kAbsent, Hint::kNeverSet, "idle"},
        {"compositor 70 s", {}, Bus::kMock, 70000, Bus::kAbsent, Hint::kNeverSet, "idle"},
        {"compositor 5 s", {}, Bus::kMock, 5000, Bus::kAbsent, Hint::kNeverSet, "busy"},
        {"compositor 59.999 s", {}, Bus::kMock, 59999, Bus::kAbsent, Hint::kNeverSet, "busy"},
        {"compositor 60 s", {}, Bus::kMock, 60000, Bus::kAbsent, Hint::kNeverSet, "idle"},
        {"compositor before logind", {}, Bus::kMock, 5000, Bus::kMock, Hint::kIdle, "busy"},
        {"logind idle", {}, Bus::kAbsent, 0, Bus::kMock, Hint::kIdle, "idle"},
        {"logind busy", {}, Bus::kAbsent, 0, Bus::kMock, Hint::kBusy, "busy"},
        {"logind hint never set: idle", {}, Bus::kAbsent, 0, Bus::kMock, Hint::kNeverSet, "idle"},
        {"display without a server: logind",
         {"DISPLAY=:4095", "XDG_SESSION_TYPE=x11"},
         Bus::kAbsent,
         0,
         Bus::kMock,
         Hint::kBusy,
         "busy"},
        {"silent session bus: logind", {}, Bus::kSilent, 0, Bus::kMock, Hint::kBusy, "busy"},
        {"silent buses: idle", {}, Bus::kSilent, 0, Bus::kSilent, Hint::kNeverSet, "idle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Answer(c), c.answer);
    }
}

TEST_F(IdleSessionSources, TheX11CounterOnlyOnAnX11Session) {
    const std::string notStarted = StartBuses();
    if (!notStarted.empty()) SKIP_LOUDLY(notStarted);
    PrivateXServer server;
    if (server.display().empty()) SKIP_LOUDLY("Xvfb cannot start (package xvfb)");
    const Case cases[] = {
        {"X11 session",
         {"DISPLAY=$X", "XDG_SESSION_TYPE=x11"},
         Bus::kAbsent,
         0,
         Bus::kAbsent,
         Hint::kNeverSet,
         "busy"},
        {"X11 without a session type",
         {"DISPLAY=$X"},
         Bus::kAbsent,
         0,
         Bus::kAbsent,
         Hint::kNeverSet,
         "busy"},
        {"compositor before X11",
         {"DISPLAY=$X"},
         Bus::kMock,
         70000,
         Bus::kAbsent,
         Hint::kNeverSet,
         "idle"},
        {"X11 before logind", {"DISPLAY=$X"}, Bus::kAbsent, 0, Bus::kMock, Hint::kIdle, "busy"},
        {"Wayland display beside XWayland",
         {"DISPLAY=$X", "WAYLAND_DISPLAY=wayland-0"},
         Bus::kAbsent,
         0,
         Bus::kAbsent,
         Hint::kNeverSet,
         "idle"},
        {"Wayland session type: logind",
         {"DISPLAY=$X", "XDG_SESSION_TYPE=wayland"},
         Bus::kAbsent,
         0,
         Bus::kMock,
         Hint::kIdle,
         "idle"},
        {"Wayland: compositor",
         {"DISPLAY=$X", "WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"},
         Bus::kMock,
         70000,
         Bus::kAbsent,
         Hint::kNeverSet,
         "idle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Answer(c, server.display()), c.answer);
    }
}

}  // namespace
}  // namespace tv::test
