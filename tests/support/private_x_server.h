// Xvfb on the first free display, which it reports through a pipe; ended when the test leaves.
#pragma once

#include <sys/types.h>

#include <string>

namespace tv::test {

class PrivateXServer {
  public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or "" when no server could be started.
    const std::string& display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace tv::test
