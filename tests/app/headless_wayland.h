// A Wayland compositor of the test's own without a screen (weston's headless back end), its
// socket in a folder of the test; ended when the test leaves it.
#pragma once

#include <string>

#include "tests/support/spawned_process.h"

namespace tv::test {

class HeadlessWayland {
  public:
    // folder: a folder of the test that holds the compositor's runtime folder.
    explicit HeadlessWayland(const std::string& folder);

    // Starts the compositor and waits for its socket; false, with why, when not.
    bool Start(std::string* why);
    // WAYLAND_DISPLAY for a client: the socket's full path.
    const std::string& display() const { return socket_; }

  private:
    std::string runtimeFolder_;
    std::string socket_;
    std::string log_;
    SpawnedProcess weston_;
};

}  // namespace tv::test
