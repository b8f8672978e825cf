#include "tests/support/scratch_user.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tv::test {
namespace {

// The child's whole life: the folder, then no root, then the act over and over. It reports on
// the pipe whether it got as far as acting.
[[noreturn]] void RunChild(const std::string& sharedFolder, const std::function<void(int)>& act,
                           int reportFd) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int folder = open(sharedFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const char ready = folder >= 0 && ScratchUser::DropRoot() ? 1 : 0;
    (void)!write(reportFd, &ready, 1);
    close(reportFd);
    if (!ready) _exit(1);
    for (;;) act(folder);
}

}  // namespace

bool ScratchUser::DropRoot() {
    const gid_t group = kId;
    return setgroups(1, &group) == 0 && setresgid(group, group, group) == 0 &&
           setresuid(kId, kId, kId) == 0;
}

bool ScratchUser::Start(const std::string& sharedFolder, std::function<void(int)> act,
                        std::string* error) {
    Stop();
    if (geteuid() != 0) {
        *error = "a second account needs root to play (run the test as root)";
        return false;
    }
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        *error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(report[0]);
        RunChild(sharedFolder, act, report[1]);
    }
    close(report[1]);
    char ready = 0;
    const bool started = pid_ > 0 && read(report[0], &ready, 1) == 1 && ready == 1;
    close(report[0]);
    if (!started) {
        *error = "the scratch user's child could not open " + sharedFolder + " or drop root";
        Stop();
    }
    return started;
}

void ScratchUser::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

}  // namespace tv::test
