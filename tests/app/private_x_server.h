// An X server of a test's own: Xvfb on the first free display, ended when the test leaves it.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/app/program_process.h"

namespace tv::test {

inline constexpr int kServerStartMs = 10000;

// Xvfb reports the display it took through a pipe.
class PrivateXServer {
  public:
    PrivateXServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",    "-displayfd", fd.c_str(),   "-nolisten", "tcp",
                              "-screen", "0",          "640x480x24", nullptr};
        std::vector<std::string> variables = TestEnvironment({});
        std::vector<char*> envp = SpawnList(variables);
        if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), envp.data()) !=
            0) {
            pid_ = -1;
        }
        close(fds[1]);
        if (pid_ > 0) display_ = ReadDisplayNumber(fds[0]);
        close(fds[0]);
    }
    ~PrivateXServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or "" when no server could be started.
    const std::string& display() const { return display_; }

  private:
    static std::string ReadDisplayNumber(int fd) {
        std::string number;
        char c = 0;
        pollfd ready{fd, POLLIN, 0};
        while (poll(&ready, 1, kServerStartMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
            number += c;
        }
        return number.empty() || c != '\n' ? "" : ":" + number;
    }

    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace tv::test
