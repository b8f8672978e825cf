#include "tests/support/private_x_server.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tv::test {
namespace {

constexpr int kServerStartMs = 10000;

std::string ReadDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, kServerStartMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    return number.empty() || c != '\n' ? "" : ":" + number;
}

}  // namespace

PrivateXServer::PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb",    "-displayfd", fd.c_str(),   "-nolisten", "tcp",
                          "-screen", "0",          "640x480x24", nullptr};
    if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        pid_ = -1;
    }
    close(fds[1]);
    if (pid_ > 0) display_ = ReadDisplayNumber(fds[0]);
    close(fds[0]);
}

PrivateXServer::~PrivateXServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace tv::test
