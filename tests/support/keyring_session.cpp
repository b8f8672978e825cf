#include "tests/support/keyring_session.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/paths.h"
#include "tests/support/session_bus.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr const char* kDbusDaemon = "/usr/bin/dbus-daemon";
constexpr const char* kDbusSend = "/usr/bin/dbus-send";
constexpr const char* kKeyringDaemon = "/usr/bin/gnome-keyring-daemon";
constexpr const char* kAddressVariable = "DBUS_SESSION_BUS_ADDRESS";
constexpr auto kStartPatience = std::chrono::seconds(15);

}  // namespace

KeyringSession::KeyringSession() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime) runtimeDir_ = runtime;
    const char* address = std::getenv(kAddressVariable);
    hadAddress_ = address != nullptr;
    if (address) savedAddress_ = address;
}

KeyringSession::~KeyringSession() { Stop(); }

std::string KeyringSession::BusAddress() const {
    return "unix:path=" + JoinPath(runtimeDir_, "keyring-bus");
}

bool KeyringSession::Fail(const std::string& why) {
    error_ = "the test keyring cannot start: " + why;
    Stop();
    return false;
}

bool KeyringSession::Start() {
    if (runtimeDir_.empty()) return Fail("XDG_RUNTIME_DIR is not set (make a TestWorld first)");
    if (access(kKeyringDaemon, X_OK) != 0)
        return Fail("no gnome-keyring-daemon (package gnome-keyring)");
    const std::string config = JoinPath(runtimeDir_, "keyring-bus.conf");
    // No activation: the keyring below is the only one, started by hand.
    std::ofstream(config) << SessionBusConfiguration(JoinPath(runtimeDir_, "keyring-bus"), false);
    std::string why;
    if (!bus_.Start({kDbusDaemon, "--nofork", "--config-file=" + config},
                    JoinPath(runtimeDir_, "keyring-bus.out"), &why)) {
        return Fail(why + " (package dbus)");
    }
    if (!WaitUntil(kStartPatience, [this] {
            return access(JoinPath(runtimeDir_, "keyring-bus").c_str(), F_OK) == 0;
        })) {
        return Fail("dbus-daemon made no socket");
    }
    setenv(kAddressVariable, BusAddress().c_str(), 1);
    // The daemon forks itself into the background once its collections are ready; the
    // password makes and unlocks the login keyring, which becomes the default collection.
    const std::string output = JoinPath(runtimeDir_, "keyring.out");
    if (RunWithInput({kKeyringDaemon, "--daemonize", "--unlock", "--components=secrets"},
                     "keyring-test-password", output) != 0) {
        return Fail("gnome-keyring-daemon did not start (see " + output + ")");
    }
    // It may answer on the bus a moment after its start has returned.
    const std::string pings = JoinPath(runtimeDir_, "keyring-ping.out");
    if (!WaitUntil(kStartPatience, [&pings] {
            return RunWithInput(
                       {kDbusSend, "--session", "--print-reply", "--dest=org.freedesktop.secrets",
                        "/org/freedesktop/secrets", "org.freedesktop.DBus.Peer.Ping"},
                       "", pings) == 0;
        })) {
        return Fail("gnome-keyring-daemon never took its name on the bus (see " + pings + ")");
    }
    return true;
}

void KeyringSession::Stop() {
    EndProcesses(ProcessesWith("environ", std::string(kAddressVariable) + "=" + BusAddress()));
    bus_.Stop();
    if (hadAddress_) {
        setenv(kAddressVariable, savedAddress_.c_str(), 1);
    } else {
        unsetenv(kAddressVariable);
    }
}

void LeaveWithoutSessionBus() {
    setenv(kAddressVariable, "unix:path=/nonexistent/tessaravine-test-bus", 1);
}

}  // namespace tv::test
