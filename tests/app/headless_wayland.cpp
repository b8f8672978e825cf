#include "tests/app/headless_wayland.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "platform/paths.h"
#include "tests/support/wait_until.h"

namespace tv::test {
namespace {

constexpr const char* kWeston = "/usr/bin/weston";
constexpr const char* kSocketName = "wayland-test";
constexpr auto kStartPatience = std::chrono::seconds(10);

}  // namespace

HeadlessWayland::HeadlessWayland(const std::string& folder)
    : runtimeFolder_(JoinPath(folder, "wayland")),
      socket_(JoinPath(runtimeFolder_, kSocketName)),
      log_(JoinPath(folder, "weston.out")) {}

// An empty environment but for the runtime folder, which the compositor wants private: nothing
// of the desktop that runs the tests reaches it or the clients it starts. No weston.ini is read.
bool HeadlessWayland::Start(std::string* why) {
    if (access(kWeston, X_OK) != 0) {
        *why = std::string(kWeston) + " is missing (package weston)";
        return false;
    }
    if (mkdir(runtimeFolder_.c_str(), 0700) != 0) {
        *why = "cannot make " + runtimeFolder_;
        return false;
    }
    if (!weston_.Start({"/usr/bin/env", "-i", "XDG_RUNTIME_DIR=" + runtimeFolder_, kWeston,
                        "--backend=headless-backend.so", "--shell=kiosk-shell.so", "--no-config",
                        std::string("--socket=") + kSocketName},
                       log_, why)) {
        return false;
    }
    if (!WaitUntil(kStartPatience, [this] { return access(socket_.c_str(), F_OK) == 0; })) {
        *why = "weston made no socket (see " + log_ + ")";
        return false;
    }
    return true;
}

}  // namespace tv::test
