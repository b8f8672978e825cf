// A second local account, as a test run as root meets it: a child process that gives up root for
// a scratch user and group and acts in one shared folder until it is stopped. It holds the folder
// open from before it drops root, so the folders above it need not let the scratch user in.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace tv::test {

class ScratchUser {
  public:
    // A user and group id that no account of the machine has.
    static constexpr uid_t kId = 64123;

    ScratchUser() = default;
    ~ScratchUser() { Stop(); }
    ScratchUser(const ScratchUser&) = delete;
    ScratchUser& operator=(const ScratchUser&) = delete;

    // Starts act in a child running as the scratch user, called again and again with the
    // shared folder's descriptor until Stop. False, with why, when the child cannot start or
    // cannot give up root (a test that is not root has no second account to play).
    bool Start(const std::string& sharedFolder, std::function<void(int folderFd)> act,
               std::string* error);
    // Ends the child and waits for it.
    void Stop();

    // Gives up root for the scratch user and group in the calling process (a forked child, as
    // there is no way back); false when it cannot.
    static bool DropRoot();

  private:
    pid_t pid_ = -1;
};

}  // namespace tv::test
