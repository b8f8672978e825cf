#include "tests/support/gvfs_session.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/paths.h"
#include "tests/support/session_bus.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr const char* kDbusDaemon = "/usr/bin/dbus-daemon";
constexpr const char* kGvfsd = "/usr/libexec/gvfsd";
constexpr auto kStartPatience = std::chrono::seconds(15);
// Marks an unset variable among the saved ones.
const std::string kUnset(1, '\0');

std::string VariableOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

}  // namespace

GvfsSession::GvfsSession() : runtimeDir_(VariableOr("XDG_RUNTIME_DIR", "")) {}

GvfsSession::~GvfsSession() { Stop(); }

std::string GvfsSession::FuseFolder() const { return JoinPath(runtimeDir_, "gvfs"); }

std::string GvfsSession::BusAddress() const { return "unix:path=" + JoinPath(runtimeDir_, "bus"); }

std::vector<pid_t> GvfsSession::Processes() const {
    std::vector<pid_t> pids = ProcessesWith("environ", "DBUS_SESSION_BUS_ADDRESS=" + BusAddress());
    for (const pid_t pid : ProcessesWith("cmdline", JoinPath(runtimeDir_, "bus.conf"))) {
        pids.push_back(pid);
    }
    return pids;
}

bool GvfsSession::Fail(const std::string& why) {
    error_ = "the test GVfs session cannot start: " + why;
    Stop();
    return false;
}

void GvfsSession::SetVariable(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    savedVariables_.emplace_back(name, old ? std::string(old) : kUnset);
    setenv(name, value.c_str(), 1);
}

void GvfsSession::RestoreVariables() {
    for (auto it = savedVariables_.rbegin(); it != savedVariables_.rend(); ++it) {
        if (it->second == kUnset) {
            unsetenv(it->first.c_str());
        } else {
            setenv(it->first.c_str(), it->second.c_str(), 1);
        }
    }
    savedVariables_.clear();
}

bool GvfsSession::StartBus() {
    const std::string config = JoinPath(runtimeDir_, "bus.conf");
    std::ofstream(config) << SessionBusConfiguration(JoinPath(runtimeDir_, "bus"), true);
    std::string why;
    if (!bus_.Start({kDbusDaemon, "--nofork", "--config-file=" + config},
                    JoinPath(runtimeDir_, "bus.out"), &why)) {
        return Fail(why + " (package dbus)");
    }
    if (!WaitUntil(kStartPatience,
                   [this] { return access(JoinPath(runtimeDir_, "bus").c_str(), F_OK) == 0; })) {
        return Fail("dbus-daemon made no socket (see " + JoinPath(runtimeDir_, "bus.out") + ")");
    }
    return true;
}

bool GvfsSession::FuseFolderIsMounted() const {
    std::ifstream mounts("/proc/self/mountinfo");
    const std::string folder = " " + FuseFolder() + " ";
    for (std::string line; std::getline(mounts, line);) {
        if (line.find(folder) != std::string::npos) return true;
    }
    return false;
}

bool GvfsSession::StartDaemon() {
    std::string why;
    if (!daemon_.Start({kGvfsd}, JoinPath(runtimeDir_, "gvfsd.out"), &why)) {
        return Fail(why + " (package gvfs-daemons)");
    }
    if (!WaitUntil(kStartPatience, [this] { return FuseFolderIsMounted(); })) {
        return Fail("gvfsd-fuse mounted nothing on " + FuseFolder() +
                    " (packages gvfs-fuse and fuse3, a /dev/fuse the tests may use)");
    }
    return true;
}

bool GvfsSession::Start() {
    if (runtimeDir_.empty()) return Fail("XDG_RUNTIME_DIR is not set (make a TestWorld first)");
    if (access("/dev/fuse", R_OK | W_OK) != 0) return Fail("/dev/fuse is missing or closed");
    if (!StartBus()) return false;
    // The daemon, everything it starts and this process's GIO all use the bus of the session;
    // volume monitors of the desktop are not wanted.
    SetVariable("DBUS_SESSION_BUS_ADDRESS", BusAddress());
    SetVariable("GIO_USE_VOLUME_MONITOR", "unix");
    return StartDaemon();
}

void GvfsSession::Stop() {
    daemon_.Stop();
    bus_.Stop();
    EndProcesses(Processes());
    // A FUSE mount left behind would let the test's clean-up walk into the shares.
    if (FuseFolderIsMounted()) umount2(FuseFolder().c_str(), MNT_DETACH);
    RestoreVariables();
}

}  // namespace tv::test
