// A desktop keyring for tests: a D-Bus session bus of its own in the TestWorld's runtime folder
// and GNOME Keyring's secrets component on it, its login keyring made and unlocked with a test
// password fed on standard input (as a login manager does) and kept under the world's HOME.
// It points this process's D-Bus clients at that bus, so it must start before the test makes
// any GIO or libsecret call; a test program holds one such session at most (ctest runs every
// test in a process of its own). When it cannot start, error() says why.
#pragma once

#include <string>

#include "tests/support/spawned_process.h"

namespace tv::test {

class KeyringSession {
  public:
    KeyringSession();
    ~KeyringSession();
    KeyringSession(const KeyringSession&) = delete;
    KeyringSession& operator=(const KeyringSession&) = delete;

    bool Start();
    const std::string& error() const { return error_; }
    std::string BusAddress() const;

  private:
    bool Fail(const std::string& why);
    void Stop();

    std::string runtimeDir_;
    SpawnedProcess bus_;
    std::string savedAddress_;
    bool hadAddress_ = false;
    std::string error_;
};

// The D-Bus clients of this process find no session bus at all: no desktop keyring answers.
void LeaveWithoutSessionBus();

}  // namespace tv::test
